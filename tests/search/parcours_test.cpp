#include "search/parcours.h"

#include "storage/fichiers.h"
#include "support/catalogue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
EntreeIndex entree(const QString &ean, const QString &titre) {
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(catalogue::fiche(ean, titre));
  e.numero = 1;
  return e;
}

QList<EntreeIndex> cache() { return QList<EntreeIndex>(2001); }
} // namespace

TEST(Correspondance, TitreContientLeTexteSansTenirCompteDeLaCasse) {
  const EntreeIndex e = entree("3333333333333", "La Guerre des étoiles");
  EXPECT_TRUE(recherche::titreContient(e, "guerre"));
  EXPECT_TRUE(recherche::titreContient(e, "  ÉTOILES "));
  EXPECT_TRUE(recherche::titreContient(e, "la guerre des étoiles"));
  EXPECT_FALSE(recherche::titreContient(e, "guerres"));
  EXPECT_FALSE(recherche::titreContient(e, "etoiles")); // the accent is part of the text
  // Only the title part of the key is searched.
  EXPECT_FALSE(recherche::titreContient(e, "3333"));
  EXPECT_FALSE(recherche::titreContient(e, "01/02/2003"));
  // Inner blanks of the text are kept.
  EXPECT_FALSE(recherche::titreContient(e, "guerre  des"));
}

TEST(Correspondance, InitialeDuTitreEnMajuscule) {
  EXPECT_TRUE(recherche::commencePar(entree("1", "alien"), "A"));
  EXPECT_TRUE(recherche::commencePar(entree("1", "Alien"), "A"));
  EXPECT_FALSE(recherche::commencePar(entree("1", "Brazil"), "A"));
  EXPECT_FALSE(recherche::commencePar(entree("1", "Été meurtrier"), "E"));
  EXPECT_TRUE(recherche::commencePar(entree("1", "été meurtrier"), "É"));
  // A title that begins with a blank begins with no letter.
  EXPECT_FALSE(recherche::commencePar(entree("1", " Alien"), "A"));
  EXPECT_FALSE(recherche::commencePar(entree("1", ""), "A"));
}

TEST(Correspondance, CodeBarreExactEtPret) {
  const EntreeIndex e = entree("3012345678901", "Alien");
  EXPECT_TRUE(recherche::memeCodeBarre(e, "3012345678901"));
  EXPECT_FALSE(recherche::memeCodeBarre(e, "3012345678902"));
  EXPECT_FALSE(recherche::memeCodeBarre(e, "301234567890"));

  Fiche f = catalogue::fiche("1", "Alien");
  EXPECT_FALSE(recherche::estPretee(f));
  f.set(Champ::preter, "Oui");
  EXPECT_TRUE(recherche::estPretee(f));
  f.set(Champ::preter, "oui");
  EXPECT_FALSE(recherche::estPretee(f));
}

TEST(Parcours, OrdreDesPositionsDeLaRechercheParLettre) {
  EXPECT_EQ(recherche::positionsApres(3, 5), QList<int>({4, 5, 1, 2, 3}));
  EXPECT_EQ(recherche::positionsApres(5, 5), QList<int>({1, 2, 3, 4, 5}));
  EXPECT_EQ(recherche::positionsApres(1, 1), QList<int>({1}));
  EXPECT_TRUE(recherche::positionsApres(1, 0).isEmpty());
  // A position out of range still examines every card once.
  EXPECT_EQ(recherche::positionsApres(9, 3), QList<int>({1, 2, 3}));
  EXPECT_EQ(recherche::positionsApres(0, 3), QList<int>({1, 2, 3}));
}

TEST(Parcours, LitLIndexDuFichierEtSArreteAuPremier) {
  QTemporaryDir d;
  // Index order: Alien (1), Brazil (2), Casino (3), Casino bis (4).
  catalogue::ecrire(d.path(), {catalogue::fiche("1111111111111", "Casino"),
                               catalogue::fiche("2222222222222", "Alien"),
                               catalogue::fiche("1111111111111", "Casino bis"),
                               catalogue::fiche("4444444444444", "Brazil")});
  QList<EntreeIndex> t = cache();
  t[4] = entree("9999999999999", "périmée");
  int derniere = 0;
  // The same bar code twice: the first in index order wins.
  EXPECT_EQ(recherche::codeBarre(d.path(), 4, t, "1111111111111", [&](int p) { derniere = p; }), 3);
  EXPECT_EQ(derniere, 3);
  EXPECT_EQ(t[1].titre().trimmed(), "Alien");
  EXPECT_EQ(t[3].numero, 1);
  EXPECT_EQ(t[4].titre().trimmed(), "périmée"); // not examined, not refreshed

  EXPECT_EQ(recherche::titre(d.path(), 4, t, "casino"), 3);
  EXPECT_EQ(recherche::titre(d.path(), 4, t, "ZORRO"), 0);
  EXPECT_EQ(t[4].titre().trimmed(), "Casino bis"); // the whole walk refreshed it
  EXPECT_EQ(recherche::titre(d.path(), 0, t, "Alien"), 0);

  // A count above the entries on disk: the walk reads what is there.
  t = cache();
  EXPECT_EQ(recherche::titre(d.path(), 9, t, "Casino bis"), 4);
  EXPECT_EQ(recherche::titre(d.path(), 9, t, "Zorro"), 0);
}

TEST(Parcours, PretEnDeuxPassages) {
  QTemporaryDir d;
  QList<Fiche> cartes = catalogue::numerotees(5);
  auto preter = [&](int i) { cartes[i - 1].set(Champ::preter, "Oui"); };
  catalogue::ecrire(d.path(), cartes);
  QList<EntreeIndex> t = cache();
  EXPECT_EQ(recherche::pret(d.path(), 5, 3, t), 0);
  EXPECT_EQ(recherche::pret(d.path(), 0, 1, t), 0);

  preter(2);
  preter(4);
  catalogue::ecrire(d.path(), cartes);
  EXPECT_EQ(recherche::pret(d.path(), 5, 2, t), 4); // first pass
  EXPECT_EQ(recherche::pret(d.path(), 5, 4, t), 2); // second pass, from the start
  EXPECT_EQ(recherche::pret(d.path(), 5, 5, t), 2);

  cartes[3].set(Champ::preter, "Non");
  catalogue::ecrire(d.path(), cartes);
  EXPECT_EQ(recherche::pret(d.path(), 5, 2, t), 2); // the only lent card is the current one
  // A count above the records on disk: the cards there are read one by one.
  EXPECT_EQ(recherche::pret(d.path(), 6, 3, t), 2);

  // Far from the current card, past the first single reads.
  QList<Fiche> longue = catalogue::numerotees(100);
  longue[1].set(Champ::preter, "Oui");
  catalogue::ecrire(d.path(), longue);
  EXPECT_EQ(recherche::pret(d.path(), 100, 3, t), 2);
  longue[98].set(Champ::preter, "Oui");
  catalogue::ecrire(d.path(), longue);
  EXPECT_EQ(recherche::pret(d.path(), 100, 3, t), 99);
  EXPECT_EQ(recherche::pret(d.path(), 101, 3, t), 99); // the file is shorter than the count
  catalogue::ecrire(d.path(), cartes);

  // An entry pointing outside the live records is skipped, not read.
  EntreeIndex faux;
  ASSERT_TRUE(fichiers::lireEntree(d.path(), 2, faux));
  faux.numero = 7;
  ASSERT_TRUE(fichiers::ecrireEntree(d.path(), 2, faux));
  EXPECT_EQ(recherche::pret(d.path(), 5, 1, t), 0);
}
