#include "outils.h"
#include "storage/reclassement.h"
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {
// The exchange sort replayed step by step on the file, as the old program ran
// it: the oracle for the in-memory sort.
void trierSurFichier(const QString &idx, int nbFiches) {
  QFile f(idx);
  f.open(QIODevice::ReadWrite);
  static const QRegularExpression blancs("^ +| +\\z");
  auto lire = [&](int p) {
    f.seek(qint64(p - 1) * 125);
    EntreeIndex e = EntreeIndex::depuisOctets(f.read(125));
    e.cle = e.cle.left(13) + ajuster(e.cle.mid(13, 100).remove(blancs), 100) +
            ajuster(e.cle.right(10).remove(blancs), 10);
    return e;
  };
  auto ecrire = [&](int p, const EntreeIndex &e) { f.seek(qint64(p - 1) * 125) && f.write(e.versOctets()); };
  auto plusPetite = [](const EntreeIndex &a, const EntreeIndex &b) {
    const bool ma = a.titre().startsWith("ZZZZZZZZZZ"), mb = b.titre().startsWith("ZZZZZZZZZZ");
    return ma != mb ? mb : a.titre().toStdU16String() < b.titre().toStdU16String();
  };
  int pos = 1;
  bool echange;
  do {
    echange = false;
    EntreeIndex precedente = lire(pos);
    for (++pos; pos <= nbFiches; ++pos) {
      const EntreeIndex courante = lire(pos);
      if (plusPetite(courante, precedente)) {
        ecrire(pos, precedente);
        ecrire(--pos, courante);
        echange = true;
        pos = std::max(pos - 1, 1);
        break;
      }
      precedente = courante;
    }
  } while (echange);
}

// Sorts the index file of `entrees` as the program does (rewriting only the
// positions the sort reports) and returns its bytes.
QByteArray trie(QList<EntreeIndex> entrees, std::vector<int> *progres = nullptr) {
  QTemporaryDir dir;
  ecrireBrut(dir.filePath("dvd.idx"), index(entrees));
  const QList<int> ecrites = reclassement::trier(entrees, [&](int p) { if (progres) progres->push_back(p); });
  EXPECT_TRUE(fichiers::ecrirePositions(dir.path(), entrees, ecrites));
  return contenu(dir.filePath("dvd.idx"));
}
} // namespace

TEST(Reclassement, OrderIsBinaryAndMarkedEntriesGoLast) {
  std::vector<int> progres;
  EXPECT_EQ(trie({entree("alien", 1), entree("ZZZZZZZZZZ", 2), entree("Zorro", 3), entree("Dune", 4),
                  entree("Été", 5), entree("Dune", 6), entree("Ame", 7)}, &progres),
            index({entree("Ame", 7), entree("Dune", 4), entree("Dune", 6), entree("Zorro", 3), entree("alien", 1),
                   entree("Été", 5), entree("ZZZZZZZZZZ", 2)}));
  EXPECT_EQ(progres, std::vector<int>({0, 7}));
  EXPECT_FALSE(reclassement::avant(entree("ZZZZZZZZZZ", 1), entree("\xC3\xBF", 2)));
  EXPECT_FALSE(reclassement::avant(entree("  Dune", 1), entree("Dune", 2)));
}

TEST(Reclassement, SameBytesAsTheStepByStepSortOnRandomCatalogues) {
  const QStringList pool{"Dune", " Dune", "dune", "Alien", "Été", "ZZZZZZZZZZ", "ZZZZZZZZZZ bis",
                         "Zorro", "Le Mépris", "Le Mepris", "A\r\nB", "  ", "Œdipe", "Brazil"};
  QRandomGenerator hasard(7);
  for (int essai = 0; essai < 40; ++essai) {
    const int n = 1 + int(hasard.bounded(30));
    QList<EntreeIndex> e;
    for (int i = 1; i <= n; ++i)
      e.append(entree(pool[hasard.bounded(int(pool.size()))], i, QString::number(i),
                      hasard.bounded(2) ? " 9/9/1999" : "09/09/1999"));
    QTemporaryDir oracle;
    ecrireBrut(oracle.filePath("dvd.idx"), index(e));
    trierSurFichier(oracle.filePath("dvd.idx"), n);
    ASSERT_EQ(trie(e), contenu(oracle.filePath("dvd.idx"))) << "essai " << essai;
  }
}
