#include "listings/listing.h"
#include "support/catalogue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using listes::Critere;

namespace {
Fiche carte(Champ c, const QString &valeur, const QString &titre = "Titre") {
  return catalogue::fiche("3000000000001", titre, {{c, valeur}});
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
  EXPECT_EQ(l.lignes, QList<QStringList>({{"1", "Alpha", "12/03/2004"}, {"2", "Delta", "12/03/2004"},
                                          {"3", "Charlie", "01/02/2003"}, {"4", "Foxtrot", "02/01/1999"},
                                          {"5", "Bravo", "01/01/1999"}, {"6", "Echo", "\?\?/\?\?/\?\?\?\?"},
                                          {"7", "Golf", "31/12/1998"}}));
  // Day first, whatever the locale; other separators and short years too.
  EXPECT_TRUE(listes::jourAchat("02/01/2005") > listes::jourAchat("01/02/2004") &&
              listes::jourAchat("5-6-07") == listes::jourAchat("05/06/2007"));
}

// A genre is matched whole (case too), the other criteria as part of the field.
TEST(ListingContenu, CriteresTitresAffichesEtEntreeHorsDesFiches) {
  EXPECT_TRUE(listes::correspond(Critere::Terme, "é", carte(Champ::titre, "LE PÈRE ET L'ÉTÉ")) &&
              listes::correspond(Critere::Genre, "Action", carte(Champ::genre, " Action")) &&
              listes::correspond(Critere::Editeur, "warner", carte(Champ::editeur, "WARNER BROS")));
  EXPECT_FALSE(listes::correspond(Critere::Genre, "Action", carte(Champ::genre, "action")));
  // An empty criterion finds every field that is not blank.
  EXPECT_TRUE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "Autre")));
  EXPECT_FALSE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "   ")));
  EXPECT_EQ(listes::titreAffiche(QString("Alien") + QString(95, QChar(u'\0'))), "Alien");
  EXPECT_EQ(listes::titreAffiche("  Titre\r\nsuite"), "Titre : suite");

  // An index entry pointing past the records: the line is built from the entry alone.
  QTemporaryDir d;
  catalogue::ecrire(d.path(), catalogue::numerotees(3));
  catalogue::repointer(d.path(), 2, 9);
  Listing l = listes::nouveauCatalogue();
  listes::parcourir(d.path(), 3,
                    [&](int, const EntreeIndex &entree, const Fiche *f) { listes::ajouterAuCatalogue(l, entree, f); });
  EXPECT_EQ(l.lignes[1], QStringList({"2", "Film 002", "01/02/2003"}));
}
