#include "outils.h"
#include "storage/reglages.h"

namespace {
const QByteArray kEntete =
    "Marge Haut Imprimante Default\r\n10\r\n\r\n"
    "Marge Bas Imprimante Default\r\n12\r\n\r\n"
    "Marge gauche Imprimante Default\r\n7.5\r\n\r\n"
    "Marge droite Imprimante Default\r\n0\r\n\r\n";

Reglages lu(const QString &chemin, const QByteArray &octets) {
  ecrireBrut(chemin, octets);
  Reglages r;
  EXPECT_EQ(reglages::lire(chemin, r), reglages::Lecture::Lu);
  return r;
}

QList<QStringList> listes(const Reglages &r) { return {r.genres, r.editeurs, r.sons, r.acheteurs, r.noms}; }
} // namespace

TEST(Reglages, FileOfTheOldProgramReadsAndSavesByteForByte) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  const QByteArray fichier = "12\r\n\r\n" + kEntete +
                             "Action\r\nCom\xE9" "die\r\nFilm  \r\n\r\n"
                             "TF1 Vid\xE9o\r\n\r\n"
                             "Dolby Digital 5.1\r\n\r\n"
                             "Moi\r\nPapa\r\n\r\n"
                             "Dupont\r\n  \r\n\r\n\xC9lodie, la s\x9c" "ur\r\n";
  Reglages r = lu(chemin, fichier);
  EXPECT_EQ(QStringList({QString::number(r.nbFiches), r.margeHaut, r.margeBas, r.margeGauche, r.margeDroite}),
            QStringList({"12", "10", "12", "7.5", "0"}));
  EXPECT_EQ(listes(r), QList<QStringList>({{"Action", "Comédie", "Film  "}, {"TF1 Vidéo"}, {"Dolby Digital 5.1"},
                                           {"Moi", "Papa"}, {"Dupont", "  ", "", "Élodie, la sœur"}}));
  ASSERT_TRUE(reglages::sauver(chemin, r));
  EXPECT_EQ(contenu(chemin), fichier);

  // Five empty lists: fourteen lines, then four empty ones.
  const QByteArray vide = "0\r\n\r\n" + kEntete + "\r\n\r\n\r\n\r\n";
  r = lu(chemin, vide);
  ASSERT_TRUE(reglages::sauver(chemin, r));
  EXPECT_EQ(contenu(chemin), vide);
}

TEST(Reglages, ValueReadsStopAtACommaAndSpacesAroundAreDropped) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  // LF alone, spaces around the count, a decimal comma in the top margin.
  Reglages r = lu(chemin, "  42  \n\nMarge Haut Imprimante Default\n7,5\n\n"
                          "Marge Bas Imprimante Default\n10\n\nrest\n");
  // "5" and the empty line are the two ignored reads: one line out of step.
  EXPECT_EQ(QStringList({QString::number(r.nbFiches), r.margeHaut, r.margeBas}),
            QStringList({"42", "7", "Marge Bas Imprimante Default"}));

  // Written back, everything stays in step: a comma becomes a dot, a blank
  // genre is left out, a line feed inside an item becomes a space.
  r.margeHaut = "7,5";
  r.genres = {"Action", "  ", "Policier\nNoir"};
  r.noms = {"Bob", ""};
  ASSERT_TRUE(reglages::sauver(chemin, r));
  const Reglages relu = lu(chemin, contenu(chemin));
  EXPECT_EQ(QList<QStringList>({{relu.margeHaut}, relu.genres, relu.noms}),
            QList<QStringList>({{"7.5"}, {"Action", "Policier Noir"}, r.noms}));

  for (const char *m : {"12", "7.5", "", "7,5", " 12", "12mm", "-3", ".5", "7."})
    EXPECT_EQ(reglages::margeValide(m), QByteArray(m) == "12" || QByteArray(m) == "7.5") << m;
}

TEST(Reglages, CountKeptWithinTheCatalogueListsEndAtABlankLineShortFiles) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  // A count that is not a whole number >= 0 reads as 0 and is said unreadable.
  const std::tuple<QByteArray, int, bool> cas[] = {{"abc", 0, false},         {"-5", 0, false},  {"2500", 2000, true},
                                                   {"99999999999", 2000, true}, {"+0012", 12, true},
                                                   {"12.5", 0, false},        {"", 0, false},    {"2000", 2000, true}};
  for (const auto &[texte, attendu, lisible] : cas) {
    const Reglages r = lu(chemin, texte + "\r\n\r\n" + kEntete);
    EXPECT_TRUE(r.nbFiches == attendu && r.compteLisible == lisible) << texte.constData();
  }

  // Lists end at a blank line; a short file keeps what was read.
  EXPECT_EQ(listes(lu(chemin, "3\r\n\r\n" + kEntete + "Action\r\n   \r\nGaumont\r\n\r\n")),
            QList<QStringList>({{"Action"}, {"Gaumont"}, {}, {}, {}}));
  Reglages r = lu(chemin, "3\r\n\r\n" + kEntete + "Action\r\nDrame"); // cut in the genre list
  EXPECT_EQ(r.nbFiches, 3);
  EXPECT_EQ(listes(r), QList<QStringList>({{"Action", "Drame"}, {}, {}, {}, {}}));

  Reglages rien;
  rien.nbFiches = 5;
  EXPECT_TRUE(reglages::lire(dir.filePath("absent.ini"), rien) == reglages::Lecture::Absent && rien.nbFiches == 5);
  EXPECT_FALSE(reglages::sauver(dir.filePath("absent/dvd.ini"), rien));
}

