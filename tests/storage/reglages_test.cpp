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
  EXPECT_EQ(r.nbFiches, 12);
  EXPECT_EQ(QStringList({r.margeHaut, r.margeBas, r.margeGauche, r.margeDroite}),
            QStringList({"10", "12", "7.5", "0"}));
  EXPECT_EQ(r.genres, QStringList({"Action", "Comédie", "Film  "}));
  EXPECT_EQ(r.editeurs, QStringList({"TF1 Vidéo"}));
  EXPECT_EQ(r.sons, QStringList({"Dolby Digital 5.1"}));
  EXPECT_EQ(r.acheteurs, QStringList({"Moi", "Papa"}));
  EXPECT_EQ(r.noms, QStringList({"Dupont", "  ", "", "Élodie, la sœur"}));
  ASSERT_TRUE(reglages::sauver(chemin, r));
  EXPECT_EQ(contenu(chemin), fichier);

  // Five empty lists: fourteen lines, then four empty ones.
  const QByteArray vide = "0\r\n\r\n" + kEntete + "\r\n\r\n\r\n\r\n";
  r = lu(chemin, vide);
  EXPECT_TRUE(r.genres.isEmpty() && r.acheteurs.isEmpty() && r.noms.isEmpty());
  ASSERT_TRUE(reglages::sauver(chemin, r));
  EXPECT_EQ(contenu(chemin), vide);
}

TEST(Reglages, ValueReadsStopAtACommaAndSpacesAroundAreDropped) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  // LF alone, spaces around the count, a decimal comma in the top margin.
  Reglages r = lu(chemin, "  42  \n\nMarge Haut Imprimante Default\n7,5\n\n"
                          "Marge Bas Imprimante Default\n10\n\nrest\n");
  EXPECT_EQ(r.nbFiches, 42);
  EXPECT_EQ(r.margeHaut, "7");
  // "5" and the empty line are the two ignored reads: one line out of step.
  EXPECT_EQ(r.margeBas, "Marge Bas Imprimante Default");

  // Written back, everything stays in step: a comma becomes a dot, a blank
  // genre is left out, a line feed inside an item becomes a space.
  r.margeHaut = "7,5";
  r.genres = {"Action", "  ", "Policier\nNoir"};
  r.noms = {"Bob", ""};
  ASSERT_TRUE(reglages::sauver(chemin, r));
  Reglages relu;
  reglages::lire(chemin, relu);
  EXPECT_EQ(relu.margeHaut, "7.5");
  EXPECT_EQ(relu.margeBas, r.margeBas);
  EXPECT_EQ(relu.genres, QStringList({"Action", "Policier Noir"}));
  EXPECT_EQ(relu.noms, r.noms);

  EXPECT_TRUE(reglages::margeValide("12"));
  EXPECT_TRUE(reglages::margeValide("7.5"));
  for (const char *m : {"", "7,5", " 12", "12mm", "-3", ".5", "7."})
    EXPECT_FALSE(reglages::margeValide(m)) << m;
}

TEST(Reglages, CountKeptWithinTheCatalogueListsEndAtABlankLineShortFiles) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  const std::pair<QByteArray, int> cas[] = {{"abc", 0},     {"-5", 0},  {"2500", 2000},
                                            {"99999999999", 2000}, {"+0012", 12},
                                            {"12.5", 0},    {"", 0},    {"2000", 2000}};
  for (const auto &[texte, attendu] : cas)
    EXPECT_EQ(lu(chemin, texte + "\r\n\r\n" + kEntete).nbFiches, attendu) << texte.constData();

  // Lists end at a blank line; a short file keeps what was read.
  Reglages r = lu(chemin, "3\r\n\r\n" + kEntete + "Action\r\n   \r\nGaumont\r\n\r\n");
  EXPECT_EQ(r.genres, QStringList({"Action"}));
  EXPECT_EQ(r.editeurs, QStringList({"Gaumont"}));

  r = lu(chemin, "3\r\n\r\n" + kEntete + "Action\r\nDrame"); // cut in the genre list
  EXPECT_EQ(r.nbFiches, 3);
  EXPECT_EQ(r.genres, QStringList({"Action", "Drame"}));
  EXPECT_TRUE(r.editeurs.isEmpty());

  r = lu(chemin, "3\r\n\r\nMarge Haut Imprimante Default\r\n");
  EXPECT_EQ(r.nbFiches, 3);
  EXPECT_TRUE(r.margeHaut.isEmpty());
  EXPECT_TRUE(lu(chemin, "") == Reglages());

  Reglages rien;
  rien.nbFiches = 5;
  EXPECT_EQ(reglages::lire(dir.filePath("absent.ini"), rien), reglages::Lecture::Absent);
  EXPECT_EQ(rien.nbFiches, 5);
  EXPECT_FALSE(reglages::sauver(dir.filePath("absent/dvd.ini"), rien));
}

