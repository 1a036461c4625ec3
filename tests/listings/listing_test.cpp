#include "listings/listing.h"
#include "support/catalogue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using listes::Critere;

namespace {
Fiche carte(Champ c, const QString &valeur, const QString &titre = "Titre") {
  return catalogue::fiche("3000000000001", titre, {{c, valeur}});
}

QStringList colonne(const Listing &l, int c) {
  QStringList r;
  for (const QStringList &ligne : l.lignes)
    r << ligne.value(c);
  return r;
}
} // namespace

TEST(ListingContenu, TriParDateStableEtDatesIllisibles) {
  Listing l = listes::nouveauCatalogue();
  for (auto [titre, date] : {std::pair{"Alpha", "12/03/2004"}, {"Bravo", ""}, {"Charlie", "01/02/2003"},
                             {"Delta", "12/03/2004"}, {"Echo", "\?\?/\?\?/\?\?\?\?"}, {"Foxtrot", "02/01/1999"},
                             {"Golf", "31/12/1998"}}) {
    const Fiche f = carte(Champ::dateachat, date, titre);
    listes::ajouterAuCatalogue(l, EntreeIndex{}, &f);
  }
  listes::trierParDate(l);
  // Most recent first; equal dates (blank and unreadable ones count as
  // 01/01/1999) keep the alphabetical order; line numbers do not move.
  EXPECT_EQ(colonne(l, 1), QStringList({"Alpha", "Delta", "Charlie", "Foxtrot", "Bravo", "Echo", "Golf"}));
  EXPECT_EQ(colonne(l, 2), QStringList({"12/03/2004", "12/03/2004", "01/02/2003", "02/01/1999", "01/01/1999",
                                        "\?\?/\?\?/\?\?\?\?", "31/12/1998"}));
  EXPECT_EQ(colonne(l, 0), QStringList({"1", "2", "3", "4", "5", "6", "7"}));

  // Day first, whatever the locale; other separators and short years too.
  EXPECT_GT(listes::jourAchat("02/01/2005"), listes::jourAchat("01/02/2004"));
  EXPECT_EQ(listes::jourAchat("5-6-07"), listes::jourAchat("05/06/2007"));
  EXPECT_EQ(listes::jourAchat("31/02/2004"), listes::jourAchat(""));
}

// Exact genre, substrings and names are the dialogs' tests (choix_test).
TEST(ListingContenu, CriteresEtTitresAffiches) {
  EXPECT_TRUE(listes::correspond(Critere::Terme, "é", carte(Champ::titre, "LE PÈRE ET L'ÉTÉ")));
  EXPECT_FALSE(listes::correspond(Critere::Acheteur, "?", carte(Champ::achat, "Moi")));
  // An empty criterion finds every field that is not blank.
  EXPECT_TRUE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "Autre")));
  EXPECT_FALSE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "   ")));
  EXPECT_EQ(listes::titreAffiche(QString("Alien") + QString(95, QChar(u'\0'))), "Alien");
  EXPECT_EQ(listes::titreAffiche("  Titre\r\nsuite"), "Titre : suite");
}

TEST(ListingContenu, EntreeHorsDesFichesLueDepuisLaCle) {
  QTemporaryDir d;
  QList<Fiche> cartes = catalogue::numerotees(3);
  cartes[1].set(Champ::dateachat, "");
  catalogue::ecrire(d.path(), cartes);
  catalogue::repointer(d.path(), 2, 9); // beyond the live records
  Listing l = listes::nouveauCatalogue();
  QList<int> sansCarte;
  listes::parcourir(d.path(), 3, [&](int p, const EntreeIndex &entree, const Fiche *f) {
    if (!f)
      sansCarte << p;
    listes::ajouterAuCatalogue(l, entree, f);
  });
  EXPECT_EQ(sansCarte, QList<int>({2}));
  EXPECT_EQ(l.lignes[1], QStringList({"2", "Film 002", "01/01/1999"}));
}
