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

struct Catalogue {
  QTemporaryDir dir;
  QString idx() const { return dir.filePath("dvd.idx"); }
  explicit Catalogue(const QList<EntreeIndex> &entrees, const QByteArray &apres = {}) {
    ecrireBrut(idx(), index(entrees) + apres);
  }
};

QStringList titres(const QList<EntreeIndex> &tab, int n) {
  QStringList t;
  for (int i = 1; i <= n; ++i)
    t << sansBlancsFinaux(tab[i].titre());
  return t;
}
} // namespace

TEST(Reclassement, WorkedExampleMovesAlienToTheFront) {
  const QList<EntreeIndex> depart{entree("Brazil", 1), entree("Casablanca", 2), entree("Dune", 3),
                                  entree("Alien", 4)};
  const QByteArray stale(EntreeIndex::Taille, 's');
  Catalogue cat(depart, stale);
  QList<EntreeIndex> tab(3);
  std::vector<int> progres;
  ASSERT_TRUE(reclassement::reclasserFichier(cat.dir.path(), 4, tab, [&](int p) { progres.push_back(p); }));
  EXPECT_EQ(contenu(cat.idx()),
            index({entree("Alien", 4), entree("Brazil", 1), entree("Casablanca", 2), entree("Dune", 3)}) + stale);
  ASSERT_EQ(tab.size(), 5); // the table follows the file
  EXPECT_EQ(titres(tab, 4) << QString::number(tab[1].numero), QStringList({"Alien", "Brazil", "Casablanca", "Dune", "4"}));
  EXPECT_TRUE(!progres.empty() && progres.front() == 0 && progres.back() == 4);
}

TEST(Reclassement, OrderIsBinaryAndMarkedEntriesGoLast) {
  QList<EntreeIndex> e{entree("alien", 1), entree("ZZZZZZZZZZ", 2), entree("Zorro", 3),
                       entree("Été", 4),   entree("Dune\r\nII", 5),  entree("Dune", 6),
                       entree("Dune", 7),  entree("Amélie", 8),     entree("Ame", 9)};
  Catalogue cat(e);
  QList<EntreeIndex> tab;
  ASSERT_TRUE(reclassement::reclasserFichier(cat.dir.path(), 9, tab));
  EXPECT_EQ(titres(tab, 9), QStringList({"Ame", "Amélie", "Dune\r\nII", "Dune", "Dune", "Zorro",
                                         "alien", "Été", "ZZZZZZZZZZ"}));
  EXPECT_EQ(QList<int>({tab[4].numero, tab[5].numero}), QList<int>({6, 7})); // equal titles keep their order
  EXPECT_TRUE(reclassement::avant(entree("Zorro", 1), entree("alien", 2)));
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
    Catalogue oracle(e), cat(e);
    trierSurFichier(oracle.idx(), n);
    QList<EntreeIndex> tab;
    ASSERT_TRUE(reclassement::reclasserFichier(cat.dir.path(), n, tab));
    ASSERT_EQ(contenu(cat.idx()), contenu(oracle.idx())) << "essai " << essai;
  }
}

TEST(Reclassement, DamagedIndexIsLeftAlone) {
  Catalogue cat({entree("Dune", 1), entree("Alien", 2)});
  QList<EntreeIndex> tab(1);
  EXPECT_FALSE(reclassement::reclasserFichier(cat.dir.path(), 3, tab)); // fewer entries than cards
  EXPECT_FALSE(reclassement::reclasserFichier(cat.dir.path(), 2001, tab));
  EXPECT_TRUE(reclassement::reclasserFichier(cat.dir.path(), 0, tab));
  EXPECT_EQ(contenu(cat.idx()), index({entree("Dune", 1), entree("Alien", 2)}));
  EXPECT_EQ(tab.size(), 1);
}
