#include "outils.h"
#include <utime.h>

TEST(Fichiers, ReadsBeyondTheEndAndNumbersOutsideTheCatalogueFailWritesFillGapsNeverShorten) {
  QTemporaryDir dir;
  Fiche f;
  f.set(Champ::titre, QStringLiteral("Témoin"));
  EntreeIndex e;
  // The start-up read of an empty catalogue: fails, creates the file.
  EXPECT_FALSE(fichiers::lireFiche(dir.path(), 1, f) || fichiers::lireEntree(dir.path(), 1, e));
  EXPECT_TRUE(QFileInfo::exists(dir.filePath("dvd.lst")) && QFileInfo::exists(dir.filePath("dvd.idx")));
  for (int n : {0, -1, 2001})
    EXPECT_FALSE(fichiers::ecrireFiche(dir.path(), n, f) || fichiers::ecrireEntree(dir.path(), n, entree("Dune", 1)) ||
                 fichiers::lireFiche(dir.path(), n, f)) << n;

  // A record cut short by the end of the file is not read.
  ecrireBrut(dir.filePath("dvd.lst"), QByteArray(Fiche::Taille + 500, 'x'));
  ecrireBrut(dir.filePath("dvd.idx"), QByteArray(EntreeIndex::Taille + 3, 'x'));
  QList<EntreeIndex> liste;
  QList<Fiche> fiches;
  EXPECT_FALSE(fichiers::lireFiche(dir.path(), 2, f) || fichiers::lireEntree(dir.path(), 2, e) ||
               fichiers::lireEntrees(dir.path(), 1, 2, liste) || fichiers::lireFiches(dir.path(), 1, 2, fiches));

  // Writes in place fill the gaps before them and never shorten a file.
  const QByteArray trou(EntreeIndex::Taille, '\0');
  ecrireBrut(dir.filePath("dvd.idx"), {});
  ASSERT_TRUE(fichiers::ecrireEntree(dir.path(), 3, entree("C", 3)) && fichiers::ecrireEntree(dir.path(), 1, entree("A", 1)));
  EXPECT_EQ(contenu(dir.filePath("dvd.idx")), index({entree("A", 1)}) + trou + index({entree("C", 3)}));
  // Stale bytes beyond the live records stay as they are.
  ecrireBrut(dir.filePath("dvd.lst"), QByteArray(3 * Fiche::Taille, 's'));
  ASSERT_TRUE(fichiers::ecrireFiche(dir.path(), 1, f));
  EXPECT_EQ(contenu(dir.filePath("dvd.lst")).mid(Fiche::Taille), QByteArray(2 * Fiche::Taille, 's'));
}

TEST(Fichiers, NamesAreFoundIgnoringCaseAndFollowTheFolder) {
  QTemporaryDir dir;
  Fiche f;
  f.set(Champ::titre, QStringLiteral("Casse"));
  ecrireBrut(dir.filePath("DVD.LST"), f.versOctets());
  ASSERT_TRUE(QDir(dir.path()).mkpath("Historique"));
  ecrireBrut(dir.filePath("Historique/123.HST"), "x");

  // The last two match nothing: the exact spelling below what exists, so a write creates it.
  for (auto [nom, trouve] : {std::pair{"dvd.lst", "DVD.LST"}, {"historique/123.hst", "Historique/123.HST"},
                             {"historique/456.hst", "Historique/456.hst"}, {"export/export.lst", "export/export.lst"}})
    EXPECT_EQ(cheminDans(dir.path(), nom), dir.filePath(trouve)) << nom;

  EXPECT_TRUE(fichiers::lireFiche(dir.path(), 1, f) && f.get(Champ::titre).startsWith("Casse "));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("dvd.lst")));

  // The folder listing behind that lookup is kept between lookups: a name
  // created or removed since must be seen, whether the folder had not changed
  // for long before the listing or changed within the same clock tick.
  ASSERT_TRUE(QDir(dir.path()).mkpath("Jackets"));
  const QString jackets = dir.filePath("Jackets/");
  for (const QString nom : {"1.jpg", "2.jpg"}) {
    if (nom == "1.jpg") { // unchanged for an hour: its listing is trusted
      const utimbuf ancien{time(nullptr) - 3600, time(nullptr) - 3600};
      ASSERT_EQ(utime(QFile::encodeName(jackets).constData(), &ancien), 0);
    }
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom);
    ecrireBrut(jackets + nom.toUpper(), "x");
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom.toUpper()) << nom.toStdString();
    ASSERT_TRUE(QFile::rename(jackets + nom.toUpper(), jackets + "autre-" + nom));
    EXPECT_EQ(cheminDans(dir.path(), "jackets/" + nom), jackets + nom);
  }
}
