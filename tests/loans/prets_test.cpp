#include "listings/listpret.h"
#include "storage/fichiers.h"
#include "storage/historique.h"
#include "support/fenetre.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {
const QString kReintegrer = QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?");

Fiche carteSurDisque(FenetreTest &t, int numero) {
  Fiche f;
  EXPECT_TRUE(fichiers::lireFiche(t.dossier.path(), numero, f));
  return f;
}

QString champ(const Fiche &f, Champ c) { return sansBlancsFinaux(f.get(c)); }

// Film 001 (record 1) lent to Durand since 01/02/2005; Film 002 and 003 not.
QList<Fiche> avecUnPret() {
  QList<Fiche> cartes = catalogue::numerotees(3);
  cartes[0].set(Champ::preter, "Oui");
  cartes[0].set(Champ::datepret, "01/02/2005");
  cartes[0].set(Champ::nom, "Durand");
  return cartes;
}

QString cheminHisto(FenetreTest &t, const QString &ean) { return t.chemin("historique/" + ean + ".hst"); }

void taper(QWidget *w, const QString &texte) {
  w->setFocus();
  QTest::keyClicks(w, texte);
}
} // namespace

TEST(PretsFenetre, PreterValiderPuisRevenirSurLaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.afficherPosition(2);
  ASSERT_TRUE(f.pret->isEnabled());
  QTest::mouseClick(f.pret, Qt::LeftButton);

  // Only the loan fields and the borrower buttons can be used.
  EXPECT_EQ(f.v().pretEnCours, 1);
  EXPECT_TRUE(f.conteneur->isEnabled());
  for (QWidget *w : std::initializer_list<QWidget *>{f.ean, f.titre, f.zone, f.Genre, f.editeur, f.achat,
                                                     f.dateachat, f.resumer, f.preter})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(f.datepret->isEnabled());
  EXPECT_TRUE(f.nom->isEnabled());
  EXPECT_TRUE(f.ajou[3]->isVisibleTo(&f) && f.ajou[3]->isEnabled());
  EXPECT_TRUE(f.sup[3]->isVisibleTo(&f) && f.sup[3]->isEnabled());
  EXPECT_FALSE(f.ajou[0]->isVisibleTo(&f));
  EXPECT_TRUE(f.valider->isVisibleTo(&f));
  EXPECT_FALSE(f.pret->isVisibleTo(&f));
  EXPECT_EQ(f.preter->text(), "Oui");
  EXPECT_EQ(f.datepret->text(), aujourdhui());
  EXPECT_TRUE(f.focusWidget() == f.nom || f.focusWidget() == f.nom->lineEdit());

  // A name out of the list is refused; a new borrower added meanwhile is not.
  taper(f.nom->lineEdit(), "Zoe");
  t.dlg.repondre(Dialogues::OK, "Nom pas valide ou ne figurant pas dans la liste.", 48, "Message");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().pretEnCours, 1);
  t.dlg.repondre(Dialogues::Oui, "Ajouter cet emprunteur à la liste ?", 36, "Message");
  QTest::mouseClick(f.ajou[3], Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().pretEnCours, 0);
  EXPECT_FALSE(f.conteneur->isEnabled());

  const Fiche disque = carteSurDisque(t, 2);
  EXPECT_EQ(champ(disque, Champ::preter), "Oui");
  EXPECT_EQ(champ(disque, Champ::datepret), aujourdhui());
  EXPECT_EQ(champ(disque, Champ::nom), "Zoe");
  EXPECT_EQ(champ(disque, Champ::titre), "Film 002");

  f.afficherPosition(3);
  EXPECT_EQ(f.preter->text(), "Non");
  f.afficherPosition(2);
  EXPECT_EQ(f.preter->text(), "Oui");
  EXPECT_EQ(f.datepret->text(), aujourdhui());
  EXPECT_EQ(f.nom->currentText(), "Zoe");
  EXPECT_FALSE(f.pret->isEnabled());
  EXPECT_TRUE(f.retour->isEnabled());
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, PretAnnuleLaisseLaFicheIntacte) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  const QByteArray avant = catalogue::contenu(t.chemin("dvd.lst"));
  QTest::keyClick(f.eansearch, Qt::Key_F6);
  ASSERT_EQ(f.v().pretEnCours, 1);
  taper(f.nom->lineEdit(), "Martin");
  t.dlg.repondre(Dialogues::Oui, "Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune modification ne sera apportée.",
                 36, "Message");
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_Escape);

  EXPECT_EQ(f.v().pretEnCours, 0);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), avant);
  EXPECT_EQ(f.preter->text(), "Non");
  EXPECT_EQ(f.datepret->text(), "");
  EXPECT_TRUE(f.pret->isEnabled());
  EXPECT_FALSE(f.retour->isEnabled());
  EXPECT_TRUE(f.titre->isEnabledTo(f.conteneur));
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, RetoursSuccessifsAjoutentALHistorique) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(avecUnPret());
  ASSERT_EQ(f.titre->text(), "Film 001");
  ASSERT_TRUE(f.retour->isEnabled());
  const QString fichier = cheminHisto(t, "3000000000001");
  const QByteArray lstAvant = catalogue::contenu(t.chemin("dvd.lst"));

  // No: nothing changes.
  t.dlg.repondre(Dialogues::Non, kReintegrer, 36, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(fichier));
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lstAvant);
  EXPECT_EQ(f.preter->text(), "Oui");
  EXPECT_FALSE(f.historic->isVisibleTo(&f));

  // The first return creates the file with one loan.
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F7);
  const QByteArray premier = "Durand\r\n01/02/2005\r\n" + aujourdhui().toLatin1() + "\r\n";
  EXPECT_EQ(catalogue::contenu(fichier), premier);
  Fiche disque = carteSurDisque(t, 1);
  EXPECT_EQ(champ(disque, Champ::preter), "Non");
  EXPECT_EQ(disque.get(Champ::datepret), QString(10, u' '));
  EXPECT_EQ(disque.get(Champ::nom), QString(30, u' '));
  EXPECT_EQ(champ(disque, Champ::titre), "Film 001");
  EXPECT_EQ(f.preter->text(), "Non");
  EXPECT_TRUE(f.pret->isEnabled());
  EXPECT_FALSE(f.retour->isEnabled());
  EXPECT_TRUE(f.historic->isVisibleTo(&f));
  EXPECT_EQ(f.v().nbHisto, 1);

  // Lent again with a changed loan date, then returned: the earlier loan first.
  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.datepret->setText("03/04/2006");
  taper(f.nom->lineEdit(), "Martin");
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_F5);
  ASSERT_EQ(champ(carteSurDisque(t, 1), Champ::nom), "Martin");
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_EQ(catalogue::contenu(fichier), premier + "Martin\r\n03/04/2006\r\n" + aujourdhui().toLatin1() + "\r\n");
  EXPECT_EQ(f.v().nbHisto, 2);
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, RetourSansDossierHistoriqueEnregistreQuandMemeLaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(avecUnPret());
  ASSERT_TRUE(QDir(t.chemin("historique")).removeRecursively());

  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  t.dlg.repondre(Dialogues::OK,
                 "Le DVD est réintégré, mais ce prêt n'a pas pu être ajouté à son historique.\r\r"
                 "Vérifiez que le dossier historique existe dans le dossier des données et qu'il est "
                 "accessible en écriture.",
                 48, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);

  EXPECT_EQ(champ(carteSurDisque(t, 1), Champ::preter), "Non");
  EXPECT_FALSE(QFile::exists(cheminHisto(t, "3000000000001")));
  EXPECT_FALSE(f.historic->isVisibleTo(&f));
  EXPECT_TRUE(f.pret->isEnabled());
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, HistoriqueIllisibleNEstPasEcrase) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(avecUnPret());
  // A folder where the file should be: it exists but cannot be read.
  const QString fichier = cheminHisto(t, "3000000000001");
  ASSERT_TRUE(QDir().mkpath(fichier));
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  t.dlg.repondre(Dialogues::OK, {}, 48, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_TRUE(QFileInfo(fichier).isDir());
  EXPECT_EQ(champ(carteSurDisque(t, 1), Champ::preter), "Non");
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, FenetreHistorique) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(2);
  catalogue::ecrire(t.dossier.path(), cartes);
  QList<Pret> deux = {{"Durand", "01/01/2004", "05/01/2004"}, {"Martin", "02/02/2004", "09/02/2004"}};
  QList<Pret> vingt;
  for (int i = 1; i <= 20; ++i)
    vingt.append({QString("Nom %1").arg(i), QString("%1/03/2004").arg(i, 2, 10, QChar('0')), "31/03/2004"});
  ASSERT_TRUE(historique::ecrire(cheminHisto(t, "3000000000001"), deux));
  ASSERT_TRUE(historique::ecrire(cheminHisto(t, "3000000000002"), vingt));
  Filmorel &f = t.demarrer();
  ASSERT_TRUE(f.historic->isVisibleTo(&f));

  QTest::mouseClick(f.historic, Qt::LeftButton);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w && w->isVisible());
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(w->windowTitle(), "Historique de mes Films DVD prêtés");
  EXPECT_EQ(f.v().typeListe, 2);
  EXPECT_EQ(w->Grille->rowCount(), 17);
  EXPECT_EQ(w->Grille->columnCount(), 3);
  EXPECT_EQ(w->texte(0, 0), "NOM DES EMPRUNTEURS");
  EXPECT_EQ(w->texte(0, 2), "DATE DU RETOUR");
  EXPECT_EQ(w->texte(1, 0), "Martin");
  EXPECT_EQ(w->texte(1, 1), "02/02/2004");
  EXPECT_EQ(w->texte(2, 0), "Durand");
  EXPECT_EQ(w->texte(2, 2), "05/01/2004");
  EXPECT_EQ(w->texte(3, 0), "");
  EXPECT_EQ(w->Grille->columnWidth(0), ListPret::enPixels(3160));
  EXPECT_EQ(w->Grille->columnWidth(1), ListPret::enPixels(2100));
  EXPECT_EQ(w->Grille->item(1, 0)->textAlignment(), int(Qt::AlignCenter));
  EXPECT_EQ(w->Grille->currentRow(), 0);
  w->close();
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.v().typeListe, 0);

  f.afficherPosition(2);
  QTest::keyClick(f.eansearch, Qt::Key_F4);
  w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Grille->rowCount(), 22);
  for (int r = 0; r < 20; ++r)
    EXPECT_EQ(w->Grille->rowHeight(r), ListPret::enPixels(250)) << r;
  EXPECT_EQ(w->texte(1, 0), "Nom 20");
  EXPECT_EQ(w->texte(20, 0), "Nom 1");
  w->close();

  // No file: the button goes and F4 does nothing.
  ASSERT_TRUE(QFile::remove(cheminHisto(t, "3000000000002")));
  f.afficherPosition(1);
  f.afficherPosition(2);
  EXPECT_FALSE(f.historic->isVisibleTo(&f));
  QTest::keyClick(f.eansearch, Qt::Key_F4);
  EXPECT_EQ(f.listpret, nullptr);
}
