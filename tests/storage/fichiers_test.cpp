#include "outils.h"
#include <utime.h>

namespace {
Fiche carte(const QString &titre) {
  Fiche f;
  f.set(Champ::ean, QStringLiteral("3000000000017"));
  f.set(Champ::titre, titre);
  return f;
}
} // namespace

TEST(Fichiers, MissingFilesAreCreatedEmptyAndReadsBeyondTheEndFail) {
  QTemporaryDir dir;
  Fiche f = carte(QStringLiteral("Témoin"));
  const Fiche avant = f;
  EntreeIndex e = entree(QStringLiteral("Témoin"), 7);
  const EntreeIndex eAvant = e;

  // The start-up read of an empty catalogue: fails, creates the file.
  EXPECT_FALSE(fichiers::lireFiche(dir.path(), 1, f) || fichiers::lireEntree(dir.path(), 1, e));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("dvd.lst")) && QFileInfo::exists(dir.filePath("dvd.idx")));
  EXPECT_EQ(fichiers::nbFichesSurDisque(dir.path()), 0);

  // A record cut short by the end of the file is not read.
  ecrireBrut(dir.filePath("dvd.lst"), QByteArray(Fiche::Taille + 500, 'x'));
  ecrireBrut(dir.filePath("dvd.idx"), QByteArray(EntreeIndex::Taille + 3, 'x'));
  EXPECT_EQ(QList<int>({fichiers::nbFichesSurDisque(dir.path()), fichiers::nbEntreesSurDisque(dir.path())}),
            QList<int>({1, 1}));
  EXPECT_FALSE(fichiers::lireFiche(dir.path(), 2, f) || fichiers::lireEntree(dir.path(), 2, e));
  QList<EntreeIndex> liste{e};
  QList<Fiche> fiches;
  EXPECT_FALSE(fichiers::lireEntrees(dir.path(), 1, 2, liste) || fichiers::lireFiches(dir.path(), 1, 2, fiches));
  EXPECT_TRUE(liste.size() == 1 && fiches.isEmpty());
  ASSERT_TRUE(fichiers::lireFiches(dir.path(), 1, 1, fiches));
  EXPECT_EQ(fiches[0].get(Champ::ean), QString(13, u'x'));
  EXPECT_TRUE(f == avant && e == eAvant);
}

TEST(Fichiers, NumbersOutsideTheCatalogueRefusedWritesInPlaceFillGapsNeverShorten) {
  QTemporaryDir dir;
  Fiche f = carte(QStringLiteral("Dune")), lue;
  for (int n : {0, -1, -32768, 2001})
    EXPECT_FALSE(fichiers::ecrireFiche(dir.path(), n, f) || fichiers::ecrireEntree(dir.path(), n, entree("Dune", 1)) ||
                 fichiers::lireFiche(dir.path(), n, lue)) << n;
  EXPECT_EQ(QFileInfo(dir.filePath("dvd.lst")).size(), 0);
  EXPECT_TRUE(fichiers::ecrireFiche(dir.path(), 2000, f));
  EXPECT_EQ(QFileInfo(dir.filePath("dvd.lst")).size(), 2000 * Fiche::Taille);

  // Writes in place fill the gaps before them and never shorten a file.
  const QByteArray trou(EntreeIndex::Taille, '\0');
  ASSERT_TRUE(fichiers::ecrireEntree(dir.path(), 3, entree("C", 3)));
  EXPECT_EQ(contenu(dir.filePath("dvd.idx")), trou + trou + index({entree("C", 3)}));
  ASSERT_TRUE(fichiers::ecrireEntree(dir.path(), 1, entree("A", 1)));
  EXPECT_EQ(contenu(dir.filePath("dvd.idx")), index({entree("A", 1)}) + trou + index({entree("C", 3)}));

  // Stale bytes beyond the live records stay as they are.
  ecrireBrut(dir.filePath("dvd.lst"), QByteArray(3 * Fiche::Taille, 's'));
  ASSERT_TRUE(fichiers::ecrireFiche(dir.path(), 1, carte("Dune")));
  EXPECT_EQ(contenu(dir.filePath("dvd.lst")).mid(Fiche::Taille), QByteArray(2 * Fiche::Taille, 's'));

  QList<EntreeIndex> lues;
  ASSERT_TRUE(fichiers::lireEntrees(dir.path(), 1, 3, lues));
  EXPECT_EQ(lues[2], entree("C", 3));
}

TEST(Fichiers, NamesAreFoundIgnoringCase) {
  QTemporaryDir dir;
  ecrireBrut(dir.filePath("DVD.LST"), carte(QStringLiteral("Casse")).versOctets());
  ASSERT_TRUE(QDir(dir.path()).mkpath("Historique"));
  ecrireBrut(dir.filePath("Historique/123.HST"), "x");

  // The last two match nothing: the exact spelling below what exists, so a write creates it.
  for (auto [nom, trouve] : {std::pair{"dvd.lst", "DVD.LST"}, {"historique/123.hst", "Historique/123.HST"},
                             {"historique/456.hst", "Historique/456.hst"}, {"export/export.lst", "export/export.lst"}})
    EXPECT_EQ(cheminDans(dir.path(), nom), dir.filePath(trouve)) << nom;

  Fiche f;
  ASSERT_TRUE(fichiers::lireFiche(dir.path(), 1, f));
  EXPECT_EQ(sansBlancsFinaux(f.get(Champ::titre)), QStringLiteral("Casse"));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("dvd.lst")));
}

// The folder listing behind that lookup is kept between lookups: a name
// created or removed since must be seen, whether the folder had not changed
// for long before the listing or changed within the same clock tick.
TEST(Fichiers, NamesFoundIgnoringCaseFollowTheFolderAfterItsListingWasKept) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath("Jackets"));
  const QString jackets = dir.filePath("Jackets/");
  for (const QString nom : {"1.jpg", "2.jpg"}) {
    SCOPED_TRACE(nom.toStdString());
    if (nom == "1.jpg") { // unchanged for an hour: its listing is trusted
      const utimbuf ancien{time(nullptr) - 3600, time(nullptr) - 3600};
      ASSERT_EQ(utime(QFile::encodeName(jackets).constData(), &ancien), 0);
    }
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom);
    ecrireBrut(jackets + nom.toUpper(), "x");
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom.toUpper());
    ASSERT_TRUE(QFile::rename(jackets + nom.toUpper(), jackets + "autre-" + nom));
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom);
  }
}
