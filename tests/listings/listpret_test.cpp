#include "listings/listpret.h"
#include "support/fenetre.h"

#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {
const QString kTri = QStringLiteral("Voulez-vous un affichage trié par date d'achat ?");

// Runs the catalogue list, answering the sort question.
ListPret *catalogueListe(FenetreTest &t, int reponse) {
  t.dlg.repondre(reponse, kTri, 36, "Message");
  QTest::keyClick(t.f->eansearch, Qt::Key_F12);
  return t.f->listpret;
}

QStringList colonne(ListPret *w, int c, int premiere, int derniere) {
  QStringList r;
  for (int i = premiere; i <= derniere; ++i)
    r << w->texte(i, c);
  return r;
}

// dvd.ini replaced by a marker: any rewrite shows.
void marquerIni(FenetreTest &t) {
  QFile ini(t.chemin("dvd.ini"));
  ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ini.write("marque");
}

Fiche achete(int n, const QString &titre, const QString &date) {
  Fiche f = catalogue::fiche(QString::number(3000000000000LL + n), titre);
  f.set(Champ::dateachat, date);
  return f;
}
} // namespace

TEST(ListPretFenetre, TailleDeLaGrilleDuCatalogue) {
  for (auto [n, rangees] : {std::pair{15, 17}, {16, 18}, {100, 102}}) {
    FenetreTest t;
    Filmorel &f = t.ouvrir(catalogue::numerotees(n));
    ListPret *w = catalogueListe(t, Dialogues::Non);
    ASSERT_TRUE(w && w->isVisible()) << n;
    EXPECT_FALSE(f.isEnabled());
    EXPECT_EQ(w->objectName(), "listpret");
    EXPECT_EQ(w->windowTitle(), "Liste de mes Films DVD");
    EXPECT_EQ(w->Grille->rowCount(), rangees) << n;
    EXPECT_EQ(w->Grille->columnCount(), 3);
    EXPECT_EQ(w->Grille->rowHeight(n - 1), ListPret::enPixels(250));
    EXPECT_EQ(w->Grille->columnWidth(1), ListPret::enPixels(5760));
    EXPECT_EQ(w->texte(0, 0), "");
    EXPECT_EQ(w->texte(0, 1), "TITRES DES DVDS");
    EXPECT_EQ(w->texte(0, 2), "ACHAT");
    EXPECT_EQ(w->Grille->item(0, 1)->textAlignment(), int(Qt::AlignCenter));
    EXPECT_EQ(w->texte(n, 0), QString::number(n));
    EXPECT_EQ(w->texte(n, 1), QString("Film %1").arg(n, 3, 10, QChar('0')));
    EXPECT_EQ(w->Grille->item(1, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(w->texte(n + 1, 1), "");
    EXPECT_EQ(w->Grille->currentRow(), 1);
    EXPECT_EQ(f.v().reponse, Dialogues::Non);
    EXPECT_EQ(f.v().typeListe, 0);
    EXPECT_FALSE(f.Progress->isVisible());
    t.dlg.verifierTousConsommes();
  }
}

TEST(ListPretFenetre, CatalogueTrieParDateDAchat) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({achete(1, "Amélie", "05/06/2001"), achete(2, "Brazil", ""),
                          achete(3, "Casablanca", "05/06/2001"), achete(4, "Dune\r\nLe retour", "28/02/1999"),
                          achete(5, "Eraserhead", "31/12/1998"), achete(6, "Fargo", "01/07/2010")});
  f.afficherPosition(4);
  ListPret *w = catalogueListe(t, Dialogues::Oui);
  ASSERT_TRUE(w);
  EXPECT_EQ(f.v().reponse, Dialogues::Oui);
  EXPECT_EQ(colonne(w, 1, 1, 6),
            QStringList({"Fargo", "Amélie", "Casablanca", "Dune : Le retour", "Brazil", "Eraserhead"}));
  EXPECT_EQ(colonne(w, 2, 1, 6),
            QStringList({"01/07/2010", "05/06/2001", "05/06/2001", "28/02/1999", "01/01/1999", "31/12/1998"}));
  EXPECT_EQ(colonne(w, 0, 1, 6), QStringList({"1", "2", "3", "4", "5", "6"}));

  // The main window is as it was: same card, same scroll bar.
  w->close();
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.VScroll1->value(), 4);
  EXPECT_EQ(f.v().posCourante, 4);
  EXPECT_EQ(f.titre->text(), "Dune\r\nLe retour");
}

TEST(ListPretFenetre, ListeDesPrets) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(5);
  auto preter = [&](int i, const QString &drapeau, const QString &nom, const QString &date) {
    cartes[i].set(Champ::preter, drapeau);
    cartes[i].set(Champ::nom, nom);
    cartes[i].set(Champ::datepret, date);
  };
  Filmorel &f = t.ouvrir(cartes);

  // Nothing lent: the message, no window.
  f.afficherPosition(2);
  t.dlg.repondre(Dialogues::Annuler, "Aucun prêt trouvé !!!\r", 1, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F11);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_EQ(f.v().reponse, Dialogues::Annuler);
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.focusWidget(), f.eansearch);
  EXPECT_FALSE(f.Progress->isVisible());

  preter(0, "Oui", "Durand", "01/02/2005");
  preter(1, "oui", "Martin", "01/02/2005");
  preter(2, "Oui", "Martin", "03/04/2006");
  preter(3, "OUI", "Martin", "03/04/2006");
  preter(4, "Oui", "Durand", "05/06/2007");
  FenetreTest t2;
  Filmorel &f2 = t2.ouvrir(cartes);
  f2.afficherPosition(3);
  f2.SM_Afficher_Pret->trigger();
  ListPret *w = f2.listpret;
  ASSERT_TRUE(w && w->isVisible());
  EXPECT_EQ(w->windowTitle(), "Liste de mes Films DVD prêtés");
  EXPECT_EQ(f2.v().typeListe, 1);
  EXPECT_EQ(w->Grille->rowCount(), 17);
  EXPECT_EQ(w->Grille->columnCount(), 4);
  EXPECT_EQ(colonne(w, 1, 0, 3), QStringList({"TITRE", "Film 001", "Film 003", "Film 005"}));
  EXPECT_EQ(colonne(w, 2, 0, 4), QStringList({"EMPRUNTEUR", "Durand", "Martin", "Durand", ""}));
  EXPECT_EQ(colonne(w, 3, 0, 3), QStringList({"DATE", "01/02/2005", "03/04/2006", "05/06/2007"}));
  EXPECT_EQ(w->Grille->columnWidth(0), ListPret::enPixels(410));
  EXPECT_EQ(w->Grille->item(1, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignTop));
  EXPECT_EQ(w->Grille->currentRow(), 0);
  w->close();
  EXPECT_EQ(f2.VScroll1->value(), 3);
  EXPECT_EQ(f2.titre->text(), "Film 003");
  EXPECT_EQ(f2.v().typeListe, 0);
}

TEST(ListPretFenetre, EchapOkEtCaseDeFermetureFermentPareil) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  for (int maniere = 0; maniere < 3; ++maniere) {
    marquerIni(t);
    f.v().typeListe = 0;
    ListPret *w = catalogueListe(t, Dialogues::Non);
    ASSERT_TRUE(w);
    QPointer<ListPret> garde = w;
    if (maniere == 0)
      QTest::keyClick(w->Grille, Qt::Key_Escape);
    else if (maniere == 1)
      QTest::mouseClick(w->Ok, Qt::LeftButton);
    else
      w->close();
    EXPECT_FALSE(w->isVisible()) << maniere;
    EXPECT_TRUE(f.isEnabled()) << maniere;
    EXPECT_EQ(f.listpret, nullptr);
    EXPECT_EQ(f.v().typeListe, 0);
    // Margins untouched: dvd.ini is not rewritten.
    EXPECT_EQ(catalogue::contenu(t.chemin("dvd.ini")), "marque");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(garde.isNull()) << "the window is unloaded, not hidden";
  }

  // The release of an Esc pressed elsewhere (a message box) does not close it.
  ListPret *w = catalogueListe(t, Dialogues::Non);
  QTest::keyRelease(w->Grille, Qt::Key_Escape);
  EXPECT_TRUE(w->isVisible());
  w->close();
}

TEST(ListPretFenetre, MargesNumeriquesEtEnregistrees) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.margeGauche = "12";
  Filmorel &f = t.ouvrir(catalogue::numerotees(2), r);
  ListPret *w = catalogueListe(t, Dialogues::Non);
  EXPECT_EQ(w->mg->text(), "12");
  EXPECT_EQ(w->mh->text(), "10");
  EXPECT_EQ(w->modifEnCours, 0);
  EXPECT_EQ(f.v().modifEnCours, 0);

  // Changed and typed back: still a change, dvd.ini is rewritten once.
  marquerIni(t);
  w->mg->setFocus();
  w->mg->end(false);
  QTest::keyClicks(w->mg, "5");
  EXPECT_EQ(f.v().margeGauche, "125");
  QTest::keyClick(w->mg, Qt::Key_Backspace);
  EXPECT_EQ(w->modifEnCours, 1);
  EXPECT_EQ(f.v().modifEnCours, 0) << "the main window's editing flag is not the list window's";

  // Not a number: refused where typed; a decimal comma becomes a point.
  w->mh->selectAll();
  QTest::keyClicks(w->mh, "a7,5x");
  EXPECT_EQ(w->mh->text(), "7.5");
  EXPECT_EQ(f.v().margeHaut, "7.5");
  w->mb->selectAll();
  QTest::keyClick(w->mb, Qt::Key_Delete);
  EXPECT_EQ(w->mb->text(), "");
  QTest::keyClick(w->Ok, Qt::Key_Escape);

  Reglages relu;
  ASSERT_EQ(reglages::lire(t.chemin("dvd.ini"), relu), reglages::Lecture::Lu);
  EXPECT_EQ(relu.margeGauche, "12");
  EXPECT_EQ(relu.margeHaut, "7.5");
  EXPECT_EQ(relu.margeBas, "0") << "an emptied box is a margin of 0";
  EXPECT_EQ(relu.nbFiches, 2);
  EXPECT_EQ(relu.noms, r.noms);
  EXPECT_EQ(w->modifEnCours, 0);
}

TEST(ListPretFenetre, BoutonsDImpressionAppellentLeursCrochets) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  ListPret *w = catalogueListe(t, Dialogues::Non);
  EXPECT_EQ(w->imprimer->text(), "Imprimer");
  EXPECT_EQ(w->setup_printer->text(), "Configuration  Imprimante");
  EXPECT_EQ(w->Timer1->interval(), 500);
  EXPECT_TRUE(w->Timer1->isActive());
  int imprime = 0, configure = 0;
  w->surImprimer = [&] { ++imprime; };
  w->surConfigurer = [&] { ++configure; };
  w->nomImprimante = [] { return QStringLiteral("Laser du bureau"); };
  QTest::mouseClick(w->imprimer, Qt::LeftButton);
  QTest::mouseClick(w->setup_printer, Qt::LeftButton);
  w->Timer1_Timer();
  EXPECT_EQ(imprime, 1);
  EXPECT_EQ(configure, 1);
  EXPECT_EQ(w->printdefaut->text(), "Laser du bureau");
  EXPECT_TRUE(w->isVisible());
  w->close();
  EXPECT_TRUE(f.isEnabled());
}
