#include "support/fenetre.h"

#include "storage/suppression.h"

namespace {
const QString kQuestion = "Etes-vous sûr de vouloir effacer cette fiche ?";

void confirmer(FenetreTest &t) {
  t.question(Dialogues::Oui, kQuestion);
  QTest::mouseClick(t.f->supprimer, Qt::LeftButton);
}
} // namespace

TEST(SuppressionFenetre, LaDerniereFicheDuFichierPrendLaPlaceLibereeEtLaSuivanteEstMontree) {
  FenetreTest t;
  const QList<Fiche> cartes = catalogue::numerotees(5);
  Filmorel &f = t.ouvrir(cartes);
  f.VScroll1->setValue(2);

  confirmer(t);
  QByteArray lst;
  for (int i : {0, 4, 2, 3, 4})
    lst += cartes[i].versOctets();
  EXPECT_EQ(t.octets("dvd.lst"), lst);
  QByteArray idx;
  for (auto [i, numero] : {std::pair{0, 1}, {2, 3}, {3, 4}, {4, 2}})
    idx += EntreeIndex{EntreeIndex::cleDe(cartes[i]), qint16(numero)}.versOctets();
  // The freed entry at the end is marked, not cut off.
  EXPECT_EQ(t.octets("dvd.idx"), idx + (EntreeIndex{suppression::cleMarquee(cartes[4]), 2}).versOctets());
  EXPECT_EQ(t.ini().nbFiches, 4);
  EXPECT_EQ(f.Compteur->text() + f.titre->text(), "2 / 4Film 003");
}

TEST(SuppressionFenetre, TitresEnMinusculeOuAccentuesRestentPuisCatalogueVide) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1000000000001", "alien", {{Champ::genre, "Drame"}}),
                          catalogue::fiche("1000000000002", "Brazil"),
                          catalogue::fiche("1000000000003", "Été meurtrier"), catalogue::fiche("1000000000004", "Zoo")});
  // Title order: Brazil, Zoo, alien, Été meurtrier.
  for (auto [position, titre] : {std::pair{2, "Zoo"}, {1, "Brazil"}}) {
    f.VScroll1->setValue(position);
    ASSERT_EQ(f.titre->text(), titre);
    confirmer(t);
  }
  f.VScroll1->setValue(2);
  EXPECT_EQ(f.titre->text(), "Été meurtrier");
  confirmer(t);
  ASSERT_EQ(f.titre->text(), "alien");

  // The only card left: nothing moves in dvd.lst and the window shows no card.
  const QByteArray lst = t.octets("dvd.lst");
  confirmer(t);
  EXPECT_EQ(t.ini().nbFiches, 0);
  EXPECT_EQ(t.octets("dvd.lst"), lst);
  // The buffer holds no card any more: a new card starts from scratch.
  EXPECT_TRUE(f.v().ficheCourante.vierge());

  // With no card, deletion asks nothing and writes nothing.
  const QByteArray avant = t.donnees();
  const qsizetype vus = t.dlg.messages.size();
  f.supprimer_Click();
  f.suppression();
  EXPECT_EQ(t.donnees(), avant);
  EXPECT_EQ(t.dlg.messages.size(), vus); // asks nothing
}

TEST(SuppressionFenetre, UneEntreeQuiNeDesigneAucuneFicheEstRefusee) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
  catalogue::repointer(t.dossier.path(), 2, 7);
  t.dlg.repondre(Dialogues::Non, {}, 52, "Message"); // no repair: read-only
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray avant = t.donnees();
  t.avis({});
  QTest::mouseClick(f.supprimer, Qt::LeftButton);
  EXPECT_EQ(t.donnees(), avant);
}
