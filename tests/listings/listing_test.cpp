#include "listings/listing.h"
#include "storage/fichiers.h"
#include "support/catalogue.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using listes::Critere;

namespace {
Fiche carte(Champ c, const QString &valeur) {
  Fiche f = catalogue::fiche("3000000000001", "Titre");
  f.set(c, valeur);
  return f;
}

Listing catalogueDe(const QList<QPair<QString, QString>> &titresDates) {
  Listing l = listes::nouveauCatalogue();
  for (const auto &[titre, date] : titresDates) {
    Fiche f = catalogue::fiche("3000000000001", titre);
    f.set(Champ::dateachat, date);
    listes::ajouterAuCatalogue(l, EntreeIndex{}, &f);
  }
  return l;
}

QStringList colonne(const Listing &l, int c) {
  QStringList r;
  for (const QStringList &ligne : l.lignes)
    r << ligne.value(c);
  return r;
}
} // namespace

TEST(ListingContenu, TailleDeGrilleEtTitres) {
  EXPECT_EQ(Listing::nbRangees(0), 17);
  EXPECT_EQ(Listing::nbRangees(15), 17);
  EXPECT_EQ(Listing::nbRangees(16), 18);
  EXPECT_EQ(Listing::nbRangees(100), 102);

  EXPECT_EQ(listes::titreAffiche("  Le Parrain\r\nDeuxième partie  "), "Le Parrain : Deuxième partie");
  EXPECT_EQ(listes::titreAffiche(QString("Alien") + QString(95, QChar(u'\0'))), "Alien");
}

TEST(ListingContenu, CatalogueDateParDefautEtTriParDate) {
  Listing l = catalogueDe({{"Alpha", "12/03/2004"},
                           {"Bravo", "          "},
                           {"Charlie", "01/02/2003"},
                           {"Delta", "12/03/2004"},
                           {"Echo", "??/??/????"},
                           {"Foxtrot", "02/01/1999"},
                           {"Golf", "31/12/1998"}});
  EXPECT_EQ(colonne(l, 0), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
  // The date column shows the field as stored; a blank one the default date.
  EXPECT_EQ(l.lignes[1][2], "01/01/1999");
  EXPECT_EQ(l.lignes[0][2], "12/03/2004");

  listes::trierParDate(l);
  // Most recent first; equal dates (blank and unreadable ones count as
  // 01/01/1999) keep the alphabetical order; line numbers do not move.
  EXPECT_EQ(colonne(l, 1), QStringList({"Alpha", "Delta", "Charlie", "Foxtrot", "Bravo", "Echo", "Golf"}));
  EXPECT_EQ(colonne(l, 2), QStringList({"12/03/2004", "12/03/2004", "01/02/2003", "02/01/1999", "01/01/1999",
                                        "??/??/????", "31/12/1998"}));
  EXPECT_EQ(colonne(l, 0), QStringList({"1", "2", "3", "4", "5", "6", "7"}));

  // Day first, whatever the locale; other separators and short years too.
  EXPECT_GT(listes::jourAchat("02/01/2005"), listes::jourAchat("01/02/2004"));
  EXPECT_EQ(listes::jourAchat("5-6-07"), listes::jourAchat("05/06/2007"));
  EXPECT_EQ(listes::jourAchat("31/02/2004"), listes::jourAchat(""));
}

TEST(ListingContenu, CarteIlliseeGardeLeTitreDeLaCle) {
  Fiche f = catalogue::fiche("3000000000001", "Depuis la clé");
  f.set(Champ::dateachat, "");
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(f);
  Listing l = listes::nouveauCatalogue();
  listes::ajouterAuCatalogue(l, e, nullptr);
  EXPECT_EQ(l.lignes[0], QStringList({"1", "Depuis la clé", "01/01/1999"}));
}

TEST(ListingContenu, PretsSeulementOuiExact) {
  EXPECT_TRUE(listes::estPrete(carte(Champ::preter, "Oui")));
  for (const char *autre : {"oui", "OUI", "Non", "", " Oui"})
    EXPECT_FALSE(listes::estPrete(carte(Champ::preter, autre))) << autre;

  Fiche f = catalogue::fiche("3000000000001", "Un film\r\nsur deux lignes");
  f.set(Champ::nom, "  Durand");
  f.set(Champ::datepret, "03/04/2005");
  Listing l = listes::nouveauxPrets();
  listes::ajouterAuxPrets(l, f);
  EXPECT_EQ(l.lignes[0], QStringList({"1", "Un film : sur deux lignes", "Durand", "03/04/2005"}));
  EXPECT_EQ(l.typeListe, 1);
}

TEST(ListingContenu, HistoriqueDuPlusRecentAuPlusAncien) {
  Listing l = listes::historiqueDvd({{"Durand", "01/01/2004", "05/01/2004"}, {"Martin ", "02/02/2004", "09/02/2004"}});
  EXPECT_EQ(l.typeListe, 2);
  ASSERT_EQ(l.lignes.size(), 2);
  // Texts as read from the file, untrimmed; no line-number column.
  EXPECT_EQ(l.lignes[0], QStringList({"Martin ", "02/02/2004", "09/02/2004"}));
  EXPECT_EQ(l.lignes[1], QStringList({"Durand", "01/01/2004", "05/01/2004"}));
  EXPECT_EQ(l.colonnes[0].entete, "NOM DES EMPRUNTEURS");
}

TEST(ListingContenu, TestsDesCriteres) {
  // Genre: exact, after trimming the field only.
  EXPECT_TRUE(listes::correspond(Critere::Genre, "Action", carte(Champ::genre, "Action   ")));
  EXPECT_FALSE(listes::correspond(Critere::Genre, "action", carte(Champ::genre, "Action")));
  EXPECT_FALSE(listes::correspond(Critere::Genre, "Action ", carte(Champ::genre, "Action")));
  EXPECT_FALSE(listes::correspond(Critere::Genre, "?", carte(Champ::genre, "Action")));
  EXPECT_TRUE(listes::correspond(Critere::Genre, "?", carte(Champ::genre, "?")));

  // The others: upper-case substring of the trimmed field.
  EXPECT_TRUE(listes::correspond(Critere::Editeur, "warner", carte(Champ::editeur, "WARNER HOME VIDEO")));
  EXPECT_TRUE(listes::correspond(Critere::Editeur, " gaumont ", carte(Champ::editeur, "Gaumont")));
  EXPECT_FALSE(listes::correspond(Critere::Editeur, "Pathé", carte(Champ::editeur, "Gaumont")));
  EXPECT_TRUE(listes::correspond(Critere::Terme, "é", carte(Champ::titre, "LE PÈRE ET L'ÉTÉ")));
  EXPECT_TRUE(listes::correspond(Critere::Acteur, "deneuve", carte(Champ::acteurs, "Catherine Deneuve, X")));
  EXPECT_TRUE(listes::correspond(Critere::Realisateur, "LANG", carte(Champ::realisateur, "Fritz Lang")));
  EXPECT_TRUE(listes::correspond(Critere::Acheteur, "pa", carte(Champ::achat, "Paul")));
  // An empty criterion finds every field that is not blank.
  EXPECT_TRUE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "Autre")));
  EXPECT_FALSE(listes::correspond(Critere::Editeur, "", carte(Champ::editeur, "   ")));
  EXPECT_FALSE(listes::correspond(Critere::Acheteur, "?", carte(Champ::achat, "Moi")));
}

TEST(ListingContenu, FiltresEtFilmsPretes) {
  Listing g = listes::nouveauFiltre(Critere::Realisateur, "lang ");
  EXPECT_EQ(g.titre, "Liste des DVDs d'un réalisateur : lang ");
  EXPECT_STREQ(listes::defCritere(Critere::Realisateur).absent, "Aucun DVD trouvé pour avec ce réalisateur  !!!");
  EXPECT_EQ(listes::nouveauFiltre(Critere::Acheteur, "Paul").typeListe, 3);
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(catalogue::fiche("3000000000007", "Titre\r\nsuite"));
  listes::ajouterAuFiltre(g, e);
  EXPECT_EQ(g.lignes[0], QStringList({"1", "Titre : suite", ""}));

  // One line per loan to exactly that name, in the order of the file.
  Listing p = listes::nouveauxFilmsPretes("Durand");
  EXPECT_EQ(p.titre, "Liste de mes Films prêtés à Durand");
  listes::ajouterLesPretsA(p, "Durand", e,
                           {{"Durand", " 01/01/2004", "05/01/2004 "},
                            {"durand", "02/01/2004", "06/01/2004"},
                            {"Durand ", "03/01/2004", "07/01/2004"},
                            {"Durand", "04/01/2004", "08/01/2004"}});
  ASSERT_EQ(p.lignes.size(), 2);
  EXPECT_EQ(p.lignes[0], QStringList({"1", "Titre : suite", "01/01/2004", "05/01/2004"}));
  EXPECT_EQ(p.lignes[1], QStringList({"2", "Titre : suite", "04/01/2004", "08/01/2004"}));
}

TEST(ListingContenu, ParcoursIgnoreLesEntreesHorsDesFiches) {
  QTemporaryDir d;
  catalogue::ecrire(d.path(), catalogue::numerotees(3));
  // Entry 2 points beyond the live records.
  EntreeIndex e;
  ASSERT_TRUE(fichiers::lireEntree(d.path(), 2, e));
  e.numero = 9;
  ASSERT_TRUE(fichiers::ecrireEntree(d.path(), 2, e));
  QList<int> lues, sansCarte;
  listes::parcourir(d.path(), 3, [&](int p, const EntreeIndex &, const Fiche *f) { (f ? lues : sansCarte) << p; });
  EXPECT_EQ(lues, QList<int>({1, 3}));
  EXPECT_EQ(sansCarte, QList<int>({2}));
}
