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

TEST(Reglages, OldFilesSavedByteForByteDamagedOnesReadWhatTheyCanWrittenBackInStep) {
  QTemporaryDir dir;
  const QString chemin = dir.filePath("dvd.ini");
  const QByteArray fichier = "12\r\n\r\n" + kEntete +
                             "Action\r\nCom\xE9" "die\r\nFilm  \r\n\r\n"
                             "TF1 Vid\xE9o\r\n\r\n"
                             "Dolby Digital 5.1\r\n\r\n"
                             "Moi\r\nPapa\r\n\r\n"
                             "Dupont\r\n  \r\n\r\n\xC9lodie, la s\x9c" "ur\r\n";
  // Five empty lists: fourteen lines, then four empty ones.
  for (const QByteArray &octets : QList<QByteArray>{fichier, "0\r\n\r\n" + kEntete + "\r\n\r\n\r\n\r\n"}) {
    ASSERT_TRUE(reglages::sauver(chemin, lu(chemin, octets)));
    EXPECT_EQ(contenu(chemin), octets);
  }

  // A count that is not a whole number >= 0 reads as 0 and is said unreadable; it is kept within the catalogue.
  Reglages r;
  for (const auto &[texte, attendu, lisible] : {std::tuple<QByteArray, int, bool>{"abc", 0, false}, {"-5", 0, false},
                                                {"99999999999", 2000, true}, {"12.5", 0, false}, {"+0012", 12, true}}) {
    r = lu(chemin, texte + "\r\n\r\n" + kEntete);
    EXPECT_TRUE(r.nbFiches == attendu && r.compteLisible == lisible) << texte.constData();
  }
  // Written back, everything stays in step: a comma becomes a dot, a blank
  // genre is left out, a line feed inside an item becomes a space.
  r.margeHaut = "7,5";
  r.genres = {"Action", "  ", "Policier\nNoir"};
  ASSERT_TRUE(reglages::sauver(chemin, r));
  const Reglages relu = lu(chemin, contenu(chemin));
  EXPECT_EQ(QList<QStringList>({{relu.margeHaut, relu.margeBas}, relu.genres}),
            QList<QStringList>({{"7.5", "12"}, {"Action", "Policier Noir"}}));

  // Lists end at a blank line; a short file keeps what was read.
  EXPECT_EQ(listes(lu(chemin, "3\r\n\r\n" + kEntete + "Action\r\n   \r\nGaumont\r\n\r\nMono\r\nDTS")),
            QList<QStringList>({{"Action"}, {"Gaumont"}, {"Mono", "DTS"}, {}, {}}));
  EXPECT_FALSE(reglages::sauver(dir.filePath("absent/dvd.ini"), r));
}
