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

TEST(ListPretFenetre, ListeDesPretsEtMargesEnregistreesSeulementSiChangees) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(4);
  Filmorel &f = t.ouvrir(cartes);
  t.dlg.repondre(Dialogues::Annuler, "Aucun prêt trouvé !!!\r", 1, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F11);
  // Only the exact flag "Oui" counts; the list reads the saved cards.
  for (int i = 0; i < 4; ++i) {
    cartes[i].set(Champ::preter, i % 3 ? "oui" : "Oui");
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
  // Margins untouched: dvd.ini is not rewritten.
  catalogue::ecrireOctets(t.chemin("dvd.ini"), "marque"); // any rewrite shows
  QTest::mouseClick(w->Ok, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.ini"), "marque");
  // Not a number: refused where typed; a decimal comma becomes a point; an
  // emptied box is 0.
  w = catalogueListe(t, Dialogues::Non);
  w->mh->selectAll();
  QTest::keyClicks(w->mh, "a7,5x");
  w->mb->selectAll();
  QTest::keyClick(w->mb, Qt::Key_Delete);
  QTest::keyClick(w->Ok, Qt::Key_Escape);
  const Reglages relu = t.ini();
  EXPECT_EQ(QStringList({relu.margeHaut, relu.margeBas, QString::number(relu.nbFiches)}), QStringList({"7.5", "0", "4"}));
}

// Sorting and filtering change the view only; Return on a line shows its
// card, Esc closes the list. Each case opens a fresh catalogue list.
TEST(ListPretFenetre, TriFiltreEtOuvertureDUneFiche) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (auto [titre, date] : {std::pair{"Amélie", "05/06/2001"}, {"Brazil", "01/02/1999"},
                             {"casablanca", "31/12/2010"}, {"Dune", "15/03/2005"}, {"Eraserhead", "15/03/2005"}})
    cartes << catalogue::fiche(QString::number(3000000000001LL + cartes.size()), QString::fromUtf8(titre),
                               {{Champ::dateachat, date}});
  Filmorel &f = t.ouvrir(cartes);
  const QStringList tels = {"Amélie", "Brazil", "Dune", "Eraserhead", "casablanca"}; // index order
  // Headings clicked in turn, filter, titles shown top to bottom, line opened (1-based, 0: none).
  for (auto [entetes, filtre, attendues, ouvrir] :
       {std::tuple{QList<int>{2}, "", QStringList{"Brazil", "Amélie", "Dune", "Eraserhead", "casablanca"}, 1},
        {{2, 2}, "", {"casablanca", "Dune", "Eraserhead", "Amélie", "Brazil"}, 2},
        {{}, "AS", {"Eraserhead", "casablanca"}, 1},
        {{}, "4", {}, 0}}) { // line numbers are not searched
    ListPret *w = catalogueListe(t, Dialogues::Non);
    QTableWidget *g = w->Grille;
    for (int colonne : entetes)
      QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(0, colonne)).center());
    QTest::keyClicks(w->filtre, filtre);
    // Rows top to bottom: the heading, the lines, then only blank rows.
    QStringList vues;
    QList<int> lignes; // grid rows shown
    for (int v = 0; v < g->rowCount(); ++v)
      if (const int r = g->verticalHeader()->logicalIndex(v); !g->isRowHidden(r))
        vues << w->texte(r, 1), lignes << r;
    while (vues.last().isEmpty())
      vues.removeLast();
    EXPECT_EQ(vues, QStringList("TITRES DES DVDS") + attendues);
    const QString montree = ouvrir ? attendues.value(ouvrir - 1) : f.titre->text(); // closed: the same card
    g->setCurrentCell(lignes.value(ouvrir), 1);
    QTest::keyClick(g, ouvrir ? Qt::Key_Return : Qt::Key_Escape);
    EXPECT_EQ(f.titre->text() + " " + QString::number(f.VScroll1->value()),
              montree + " " + QString::number(tels.indexOf(montree) + 1));
  }
}
