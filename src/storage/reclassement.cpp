#include "reclassement.h"
#include "fichiers.h"
#include <QFile>
#include <algorithm>
#include <numeric>
#include <vector>

// The old program sorted dvd.idx on disk by exchanging neighbours and
// stepping back (a gnome sort). That sort exchanges exactly the pairs that
// are out of order, each once, and never equal titles; so its result is the
// stable sort of the entries, and an entry is written by it exactly when some
// entry out of order with it exists. Both are computed here in O(n log n)
// instead of replaying the exchanges, which a reversed index makes quadratic.

namespace {
const QString kMarque = QStringLiteral("ZZZZZZZZZZ");

struct Cle {
  QString titre; // trimmed, padded again to 100
  bool marque;
};

Cle decomposer(const EntreeIndex &e) {
  const QString t = sansEspaces(e.titre());
  return {ajuster(t, 100), t.startsWith(kMarque)};
}

bool avantCle(const Cle &a, const Cle &b) {
  if (a.marque != b.marque)
    return !a.marque;
  return QString::compare(a.titre, b.titre, Qt::CaseSensitive) < 0;
}

// How the exchange writes an entry: title and date left-aligned.
EntreeIndex reecrite(const EntreeIndex &e) {
  EntreeIndex r;
  r.cle = ajuster(e.ean(), 13) + ajuster(sansEspaces(e.titre()), 100) +
          ajuster(sansEspaces(e.dateachat()), 10);
  r.numero = e.numero;
  return r;
}

} // namespace

namespace reclassement {

bool avant(const EntreeIndex &a, const EntreeIndex &b) {
  return avantCle(decomposer(a), decomposer(b));
}

QList<int> trier(QList<EntreeIndex> &entries, const std::function<void(int)> &progression) {
  const int n = int(entries.size());
  if (progression)
    progression(0);
  std::vector<Cle> cles;
  cles.reserve(n);
  for (const EntreeIndex &e : entries)
    cles.push_back(decomposer(e));

  // An entry is exchanged when a greater one precedes it or a smaller one
  // follows it: compare with the running maximum, then the running minimum.
  std::vector<char> echangee(n, 0);
  for (int j = 1, max = 0; j < n; ++j) {
    if (avantCle(cles[j], cles[max]))
      echangee[j] = 1;
    else
      max = j;
  }
  for (int j = n - 2, min = n - 1; j >= 0; --j) {
    if (avantCle(cles[min], cles[j]))
      echangee[j] = 1;
    else
      min = j;
  }

  std::vector<int> ordre(n);
  std::iota(ordre.begin(), ordre.end(), 0);
  std::stable_sort(ordre.begin(), ordre.end(),
                   [&](int a, int b) { return avantCle(cles[a], cles[b]); });

  QList<EntreeIndex> triees;
  triees.reserve(n);
  QList<int> ecrites;
  for (int p = 0; p < n; ++p) {
    const int k = ordre[p];
    if (echangee[k]) {
      triees.append(reecrite(entries[k]));
      ecrites.append(p);
    } else {
      triees.append(entries[k]);
    }
  }
  entries = std::move(triees);
  if (progression)
    progression(n);
  return ecrites;
}

} // namespace reclassement
