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
} // namespace

TEST(ListPretFenetre, ListeDesPrets) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(4);
  Filmorel &f = t.ouvrir(cartes);
  f.afficherPosition(3);
  t.dlg.repondre(Dialogues::Annuler, "Aucun prêt trouvé !!!\r", 1, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F11);
  EXPECT_FALSE(f.listpret);

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
  EXPECT_EQ(QStringList({w->texte(1, 1), w->texte(2, 1), w->texte(3, 1), w->texte(1, 2), w->texte(2, 2),
                         w->texte(1, 3), w->texte(2, 3)}),
            QStringList({"Film 001", "Film 004", "", "Durand", "Martin", "01/02/2005", "04/02/2005"}));
}

TEST(ListPretFenetre, FermetureEtMargesEnregistreesSeulementSiChangees) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  // Margins untouched: dvd.ini is not rewritten.
  catalogue::ecrireOctets(t.chemin("dvd.ini"), "marque"); // any rewrite shows
  QTest::mouseClick(catalogueListe(t, Dialogues::Non)->Ok, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.ini"), "marque");
  // The release of an Esc pressed elsewhere (a message box) does not close it.
  ListPret *w = catalogueListe(t, Dialogues::Non);
  QTest::keyRelease(w->Grille, Qt::Key_Escape);
  EXPECT_TRUE(w->isVisible());

  // Changed and typed back: still a change, dvd.ini is rewritten. Not a
  // number: refused where typed; a decimal comma becomes a point; an emptied
  // box is 0.
  w->mg->setFocus();
  w->mg->end(false);
  QTest::keyClicks(w->mg, "5");
  QTest::keyClick(w->mg, Qt::Key_Backspace);
  w->mh->selectAll();
  QTest::keyClicks(w->mh, "a7,5x");
  w->mb->selectAll();
  QTest::keyClick(w->mb, Qt::Key_Delete);
  QTest::keyClick(w->Ok, Qt::Key_Escape);
  const Reglages relu = t.ini();
  EXPECT_EQ(QStringList({relu.margeGauche, relu.margeHaut, relu.margeBas, QString::number(relu.nbFiches)}),
            QStringList({"10", "7.5", "0", "3"}));
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
  const QStringList tels = {"Amélie", "Brazil", "Dune", "Eraserhead", "casablanca"}; // index order
  struct Cas {
    QList<int> entetes; // columns whose heading is clicked, in turn
    QString filtre;
    QStringList vues;   // titles shown, top to bottom
    int ouvrir;         // shown line opened (1-based), 0: none
  };
  const QList<Cas> cas = {
      {{2}, "", {"Brazil", "Amélie", "Dune", "Eraserhead", "casablanca"}, 1},
      {{2, 2}, "", {"casablanca", "Dune", "Eraserhead", "Amélie", "Brazil"}, 2},
      {{1, 1}, "", {"Eraserhead", "Dune", "casablanca", "Brazil", "Amélie"}, 0},
      {{}, "AS", {"Eraserhead", "casablanca"}, 1},
      {{}, "4", {}, 0}, // line numbers are not searched
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(&c - cas.data());
    f.afficherPosition(5);
    QPointer<ListPret> w = catalogueListe(t, Dialogues::Non);
    ASSERT_TRUE(w);
    QTableWidget *g = w->Grille;
    for (int colonne : c.entetes)
      QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, colonne)).center());
    QTest::keyClicks(w->filtre, c.filtre);
    // Rows top to bottom: the heading first, then the lines, the blank rows last.
    QStringList vues;
    QList<int> lignes; // grid rows of the lines shown
    for (int v = 0; v < g->rowCount(); ++v)
      if (const int r = g->verticalHeader()->logicalIndex(v); !g->isRowHidden(r)) {
        vues << w->texte(r, 1);
        lignes << r;
      }
    const qsizetype blanc = vues.indexOf(QString());
    EXPECT_EQ(vues.mid(blanc).join(QString()), QString());
    EXPECT_EQ(vues.mid(0, blanc), QStringList("TITRES DES DVDS") + c.vues);
    // Printing reads the listing as built.
    const GrilleImprimable imprimee = impression::depuis(*g, f.v(), aujourdhui());
    for (int i = 0; i < tels.size(); ++i)
      EXPECT_EQ(imprimee.lignes.value(i + 1).mid(0, 2), QStringList({QString::number(i + 1), tels[i]}));
    const QString montree = c.ouvrir ? c.vues.value(c.ouvrir - 1) : "casablanca";
    if (const QPoint ici = g->visualRect(g->model()->index(lignes.value(c.ouvrir), 1)).center(); c.ouvrir) {
      QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, ici);
      QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, ici);
    } else
      w->close(); // back on the same card
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(f.titre->text() + " " + QString::number(f.VScroll1->value()),
              montree + " " + QString::number(tels.indexOf(montree) + 1));
  }
}
