#pragma once
#include "entreeindex.h"
#include <QList>
#include <functional>

namespace reclassement {
// Title order of two keys: unmarked before marked ("ZZZZZZZZZZ" deletion
// marker), then a case-sensitive comparison of the trimmed, re-padded titles.
bool avant(const EntreeIndex &a, const EntreeIndex &b);

// Sorts entries[0..n) in place, stable, with the result of a neighbour
// exchange sort: entries that took part in an exchange get their key rebuilt
// left-aligned (even one that ends where it started). Returns the 0-based
// positions that sort would have written, ascending. Progress: 0, then n.
QList<int> trier(QList<EntreeIndex> &entries,
                 const std::function<void(int)> &progression = {});
}
