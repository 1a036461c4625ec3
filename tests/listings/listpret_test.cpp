#include "listings/impression.h"
#include "listings/listpret.h"
#include "support/fenetre.h"

namespace {
// Runs the catalogue list (F12), answering the sort question.
ListPret *catalogueListe(FenetreTest &t, int reponse) {
  t.question(reponse, "Voulez-vous un affichage trié par date d'achat ?");
  QTest::keyClick(t.f->eansearch, Qt::Key_F12);
  return t.f->listpret;
}

QStringList colonne(ListPret *w, int c, int premiere, int derniere) {
  QStringList r;
  for (int i = premiere; i <= derniere; ++i)
    r << w->texte(i, c);
  return r;
}
} // namespace

TEST(ListPretFenetre, TriParDateEtRetourALaMemeFiche) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (auto [titre, date] : {std::pair{"Amélie", "05/06/2001"}, {"Brazil", ""}, {"Casablanca", "05/06/2001"},
                             {"Dune\r\nLe retour", "31/12/1998"}})
    cartes << catalogue::fiche(QString::number(3000000000001LL + cartes.size()), QString::fromUtf8(titre),
                               {{Champ::dateachat, date}});
  Filmorel &f = t.ouvrir(cartes);
  f.afficherPosition(4);
  ListPret *w = catalogueListe(t, Dialogues::Oui);
  ASSERT_TRUE(w && w->isVisible());
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(colonne(w, 1, 1, 4), QStringList({"Amélie", "Casablanca", "Brazil", "Dune : Le retour"}));
  w->close();
  EXPECT_EQ(f.titre->text(), "Dune\r\nLe retour"); // back on the same card
}

TEST(ListPretFenetre, ListeDesPrets) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(4);
  Filmorel &f = t.ouvrir(cartes);
  f.afficherPosition(3);
  t.dlg.repondre(Dialogues::Annuler, "Aucun prêt trouvé !!!\r", 1, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F11);
  EXPECT_TRUE(!f.listpret && f.focusWidget() == f.eansearch);

  // Only the exact flag "Oui" counts; the list reads the saved cards.
  const char *drapeaux[] = {"Oui", "oui", "OUI", "Oui"};
  for (int i = 0; i < 4; ++i) {
    cartes[i].set(Champ::preter, drapeaux[i]);
    cartes[i].set(Champ::nom, i == 0 ? " Durand" : "Martin");
    cartes[i].set(Champ::datepret, QString("0%1/02/2005").arg(i + 1));
    fichiers::ecrireFiche(t.dossier.path(), i + 1, cartes[i]);
  }
  QTest::keyClick(f.eansearch, Qt::Key_F11);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(colonne(w, 1, 1, 3) + colonne(w, 2, 1, 2) + colonne(w, 3, 1, 2),
            QStringList({"Film 001", "Film 004", "", "Durand", "Martin", "01/02/2005", "04/02/2005"}));
  w->close();
  EXPECT_EQ(f.VScroll1->value(), 3);
}

TEST(ListPretFenetre, FermetureEtMargesEnregistreesSeulementSiChangees) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  // Esc, OK and the close box close alike; margins untouched, dvd.ini is not rewritten.
  for (int maniere = 0; maniere < 3; ++maniere) {
    catalogue::ecrireOctets(t.chemin("dvd.ini"), "marque"); // any rewrite shows
    QPointer<ListPret> w = catalogueListe(t, Dialogues::Non);
    ASSERT_TRUE(w);
    maniere == 0   ? QTest::keyClick(w->Grille, Qt::Key_Escape)
    : maniere == 1 ? QTest::mouseClick(w->Ok, Qt::LeftButton)
                   : (void)w->close();
    EXPECT_TRUE(f.isEnabled() && t.octets("dvd.ini") == "marque") << maniere;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull()) << "unloaded, not hidden";
  }
  // The release of an Esc pressed elsewhere (a message box) does not close it.
  ListPret *w = catalogueListe(t, Dialogues::Non);
  QTest::keyRelease(w->Grille, Qt::Key_Escape);
  EXPECT_TRUE(w->isVisible());

  // Changed and typed back: still a change, dvd.ini is rewritten.
  w->mg->setFocus();
  w->mg->end(false);
  QTest::keyClicks(w->mg, "5");
  QTest::keyClick(w->mg, Qt::Key_Backspace);
  EXPECT_EQ(f.v().modifEnCours, 0) << "the main window's editing flag is not the list window's";
  // Not a number: refused where typed; a decimal comma becomes a point; an
  // emptied box is 0.
  w->mh->selectAll();
  QTest::keyClicks(w->mh, "a7,5x");
  EXPECT_EQ(w->mh->text(), "7.5");
  w->mb->selectAll();
  QTest::keyClick(w->mb, Qt::Key_Delete);
  QTest::keyClick(w->Ok, Qt::Key_Escape);
  const Reglages relu = t.ini();
  EXPECT_EQ(relu.margeGauche + "|" + relu.margeHaut + "|" + relu.margeBas + "|" + QString::number(relu.nbFiches),
            "10|7.5|0|3");
}

// Sorting and filtering change the view only; a double-click or Return on a
// line shows its card. Each case opens a fresh catalogue list.
TEST(ListPretFenetre, TriFiltreEtOuvertureDUneFiche) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (auto [titre, date] : {std::pair{"Amélie", "05/06/2001"}, {"Brazil", "01/02/1999"},
                             {"casablanca", "31/12/2010"}, {"Dune", "15/03/2005"}, {"Eraserhead", "15/03/2005"}})
    cartes << catalogue::fiche(QString::number(3000000000001LL + cartes.size()), QString::fromUtf8(titre),
                               {{Champ::dateachat, date}});
  Filmorel &f = t.ouvrir(cartes);
  // Index order, as the list is built.
  const QStringList tels = {"Amélie", "Brazil", "Dune", "Eraserhead", "casablanca"};
  struct Cas {
    QList<int> entetes; // columns whose heading is clicked, in turn
    QString filtre;
    QStringList vues;   // titles shown, top to bottom
    int ouvrir;         // shown line opened (1-based), 0: none; negative: with Return
    QString montree;    // title then shown by the main window
  };
  const QList<Cas> cas = {
      {{2}, "", {"Brazil", "Amélie", "Dune", "Eraserhead", "casablanca"}, 1, "Brazil"},
      {{2, 2}, "", {"casablanca", "Dune", "Eraserhead", "Amélie", "Brazil"}, -2, "Dune"},
      {{1, 1}, "", {"Eraserhead", "Dune", "casablanca", "Brazil", "Amélie"}, 0, ""},
      {{1, 0}, "", tels, 0, ""},
      {{}, "AS", {"Eraserhead", "casablanca"}, 1, "Eraserhead"},
      {{2}, "15/03", {"Dune", "Eraserhead"}, -1, "Dune"},
      {{}, "4", {}, 0, ""}, // line numbers are not searched
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(&c - cas.data());
    f.afficherPosition(5);
    QPointer<ListPret> w = catalogueListe(t, Dialogues::Non);
    ASSERT_TRUE(w);
    for (int colonne : c.entetes)
      QTest::mouseClick(w->Grille->viewport(), Qt::LeftButton, {},
                        w->Grille->visualRect(w->Grille->model()->index(0, colonne)).center());
    QTest::keyClicks(w->filtre, c.filtre);
    // Rows top to bottom: the heading first, then the lines, the blank rows last.
    QHeaderView *rangees = w->Grille->verticalHeader();
    QStringList vues;
    QList<int> lignes; // grid rows of the lines shown
    for (int v = 0; v < w->Grille->rowCount(); ++v)
      if (const int r = rangees->logicalIndex(v); !w->Grille->isRowHidden(r)) {
        vues << w->texte(r, 1);
        lignes << r;
      }
    const qsizetype blanc = vues.indexOf(QString());
    EXPECT_EQ(vues.mid(blanc).join(QString()), QString());
    EXPECT_EQ(vues.mid(0, blanc), QStringList("TITRES DES DVDS") + c.vues);
    // Printing reads the listing as built.
    const GrilleImprimable imprimee = impression::depuis(*w->Grille, f.v(), aujourdhui());
    for (int i = 0; i < tels.size(); ++i)
      EXPECT_EQ(imprimee.lignes.value(i + 1).mid(0, 2), QStringList({QString::number(i + 1), tels[i]}));
    if (c.ouvrir == 0) {
      w->close();
      EXPECT_EQ(f.titre->text(), "casablanca");
      continue;
    }
    const int r = lignes.value(std::abs(c.ouvrir));
    if (c.ouvrir > 0) {
      const QPoint ici = w->Grille->visualRect(w->Grille->model()->index(r, 1)).center();
      QTest::mouseClick(w->Grille->viewport(), Qt::LeftButton, {}, ici);
      QTest::mouseDClick(w->Grille->viewport(), Qt::LeftButton, {}, ici);
    } else {
      w->Grille->setCurrentCell(r, 1);
      QTest::keyClick(w->Grille, Qt::Key_Return);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull() && f.isEnabled());
    EXPECT_EQ(f.titre->text() + " " + QString::number(f.VScroll1->value()),
              c.montree + " " + QString::number(tels.indexOf(c.montree) + 1));
  }
}
