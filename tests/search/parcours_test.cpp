#include "search/parcours.h"
#include "support/fenetre.h"

static EntreeIndex entree(const QString &ean, const QString &titre) {
  return {EntreeIndex::cleDe(catalogue::fiche(ean, titre)), 1};
}

TEST(Parcours, CorrespondancesOrdreDesPositionsLectureDeLIndexEtPretEnDeuxPassages) {
  const EntreeIndex e = entree("3333333333333", "La Guerre des étoiles");
  EXPECT_TRUE(recherche::titreContient(e, "  ÉTOILES "));
  EXPECT_FALSE(recherche::titreContient(e, "etoiles")); // the accent is part of the text
  EXPECT_FALSE(recherche::titreContient(e, "3333"));    // only the title part of the key
  EXPECT_TRUE(recherche::commencePar(entree("1", "été meurtrier"), "É"));
  EXPECT_FALSE(recherche::commencePar(entree("1", " Alien"), "A"));
  EXPECT_EQ(recherche::positionsApres(3, 5), QList<int>({4, 5, 1, 2, 3}));
  EXPECT_EQ(recherche::positionsApres(9, 3), QList<int>({1, 2, 3})); // out of range: each card once

  QTemporaryDir d;
  // Index order: Alien (1), Brazil (2), Casino (3), Casino bis (4).
  catalogue::ecrire(d.path(), {catalogue::fiche("1111111111111", "Casino"),
                               catalogue::fiche("2222222222222", "Alien"),
                               catalogue::fiche("1111111111111", "Casino bis"),
                               catalogue::fiche("4444444444444", "Brazil")});
  QList<EntreeIndex> t(2001);
  t[4] = entree("9999999999999", "périmée");
  // The same bar code twice: the first in index order wins; the rest is not examined.
  EXPECT_EQ(recherche::codeBarre(d.path(), 4, t, "1111111111111"), 3);
  EXPECT_EQ(recherche::titre(d.path(), 4, t, "ZORRO"), 0);
  EXPECT_EQ(t[4].titre().trimmed(), "Casino bis"); // the whole walk refreshed it
  t = QList<EntreeIndex>(2001); // a count above the entries on disk: what is there is read
  EXPECT_EQ(recherche::titre(d.path(), 9, t, "Casino bis"), 4);

  QList<Fiche> cartes = catalogue::numerotees(5);
  for (int i : {1, 3})
    cartes[i].set(Champ::preter, "Oui");
  catalogue::ecrire(d.path(), cartes);
  EXPECT_EQ(recherche::pret(d.path(), 5, 2, t), 4); // first pass
  EXPECT_EQ(recherche::pret(d.path(), 5, 4, t), 2); // second pass, from the start
  // An entry pointing outside the live records is skipped, not read.
  cartes[3].set(Champ::preter, "Non");
  catalogue::ecrire(d.path(), cartes);
  catalogue::repointer(d.path(), 2, 7);
  EXPECT_EQ(recherche::pret(d.path(), 5, 1, t), 0);
}
