#include "outils.h"
#include "storage/reclassement.h"
#include <QRandomGenerator>

namespace {
// The exchange sort replayed step by step on the file, as the old program ran
// it: the oracle for the in-memory sort.
void trierSurFichier(const QString &idx, int nbFiches) {
  QFile f(idx);
  f.open(QIODevice::ReadWrite);
  auto lire = [&](int p) {
    f.seek(qint64(p - 1) * 125);
    EntreeIndex e = EntreeIndex::depuisOctets(f.read(125));
    e.cle = e.cle.left(13) + ajuster(e.cle.mid(13, 100).trimmed(), 100) + ajuster(e.cle.right(10).trimmed(), 10);
    return e;
  };
  auto cle = [](const EntreeIndex &e) { return std::pair(e.titre().startsWith("ZZZZZZZZZZ"), e.titre().toStdU16String()); };
  int pos = 1;
  for (bool echange = true; echange;) {
    echange = false;
    EntreeIndex precedente = lire(pos);
    for (++pos; pos <= nbFiches && !echange; ++pos) {
      const EntreeIndex courante = lire(pos);
      if ((echange = cle(courante) < cle(precedente))) {
        f.seek(qint64(pos - 1) * 125) && f.write(precedente.versOctets());
        f.seek(qint64(pos - 2) * 125) && f.write(courante.versOctets());
        pos = std::max(pos - 2, 1) - 1; // the loop's step brings it back
      }
      precedente = courante;
    }
  }
}

// Sorts the index file of `entrees` as the program does (rewriting only the
// positions the sort reports) and returns its bytes.
QByteArray trie(QList<EntreeIndex> entrees, bool pasAPas = false) {
  QTemporaryDir dir;
  ecrireBrut(dir.filePath("dvd.idx"), index(entrees));
  if (pasAPas)
    trierSurFichier(dir.filePath("dvd.idx"), int(entrees.size()));
  else
    EXPECT_TRUE(fichiers::ecrirePositions(dir.path(), entrees, reclassement::trier(entrees)));
  return contenu(dir.filePath("dvd.idx"));
}
} // namespace

TEST(Reclassement, OrderIsBinaryAndMarkedEntriesGoLastSameBytesAsTheStepByStepSort) {
  EXPECT_EQ(trie({entree("alien", 1), entree("ZZZZZZZZZZ", 2), entree("Zorro", 3), entree("Dune", 4),
                  entree("Été", 5), entree("Dune", 6), entree("Ame", 7)}),
            index({entree("Ame", 7), entree("Dune", 4), entree("Dune", 6), entree("Zorro", 3), entree("alien", 1),
                   entree("Été", 5), entree("ZZZZZZZZZZ", 2)}));

  const QStringList pool{"Dune", " Dune", "dune", "Alien", "Été", "ZZZZZZZZZZ", "ZZZZZZZZZZ bis",
                         "Zorro", "Le Mépris", "Le Mepris", "A\r\nB", "  ", "Œdipe", "Brazil"};
  QRandomGenerator hasard(7);
  for (int essai = 0; essai < 40; ++essai) {
    QList<EntreeIndex> e;
    for (int i = 1, n = 1 + int(hasard.bounded(30)); i <= n; ++i)
      e.append(entree(pool[hasard.bounded(int(pool.size()))], i, QString::number(i),
                      hasard.bounded(2) ? " 9/9/1999" : "09/09/1999"));
    ASSERT_EQ(trie(e), trie(e, true)) << "essai " << essai;
  }
}
