#include "outils.h"
#include "storage/historique.h"

namespace {
QList<Pret> prets(int n) {
  QList<Pret> l;
  for (int i = 1; i <= n; ++i)
    l.append({QStringLiteral("Nom %1").arg(i), QStringLiteral("01/01/2020"), QString::number(i)});
  return l;
}
} // namespace

TEST(Historique, NamedByThePaddedBarCodeCrLfWholeLoansEitherLineEndAThousandAtMost) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir("historique"));
  const QString chemin = historique::chemin(dir.path(), "12345");
  EXPECT_EQ(chemin, dir.filePath("historique/12345        .hst"));
  const QList<Pret> deux{{" Élodie ", "02/03/2021", "05/03/2021"}, {"Luc\r\nX", "a", "b"}};
  ASSERT_TRUE(historique::ecrire(chemin, deux));
  EXPECT_EQ(contenu(chemin), QByteArray(" \xC9lodie \r\n02/03/2021\r\n05/03/2021\r\nLuc  X\r\na\r\nb\r\n"));

  QList<Pret> lus;
  ecrireBrut(chemin, "Ana\n01/01/2020\r\n02/01/2020"); // LF alone, no final break
  ASSERT_EQ(historique::lire(chemin, lus), historique::Lecture::Lu);
  EXPECT_EQ(lus, (QList<Pret>{{"Ana", "01/01/2020", "02/01/2020"}}));
  ecrireBrut(chemin, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\n"); // whole groups of three lines only
  historique::lire(chemin, lus);
  EXPECT_EQ(lus, (QList<Pret>{{"a", "b", "c"}, {"d", "e", "f"}}));

  EXPECT_EQ(historique::lire(historique::chemin(dir.path(), "1"), lus), historique::Lecture::Absent);
  ASSERT_TRUE(QDir(dir.path()).mkpath("historique/x.hst")); // a folder where the file should be
  EXPECT_EQ(historique::lire(dir.filePath("historique/x.hst"), lus), historique::Lecture::Erreur);
  EXPECT_FALSE(historique::ecrire(dir.filePath("manque/1.hst"), prets(1)) || QFileInfo::exists(dir.filePath("manque")));

  // A thousand loans at most, the most recent kept.
  ASSERT_TRUE(historique::ecrire(chemin, prets(1001)));
  EXPECT_TRUE(contenu(chemin).startsWith("Nom 2\r\n") && contenu(chemin).count('\n') == 3000);
  historique::lire(chemin, lus);
  EXPECT_EQ(lus, prets(1001).mid(1));
}
