#pragma once
#include "entreeindex.h"
#include "fiche.h"
#include <QList>
#include <functional>

// Removing a card from the catalogue. There is no deletion flag: the last
// record of dvd.lst moves into the freed record number, the deleted card's
// index entry gets a key that sorts after every title, the index is re-sorted,
// and the caller then shortens the live range by one. Neither file shrinks.
namespace suppression {

// ean + "ZZZZZZZZZZ" + dateachat of the card, padded to the key's width.
QString cleMarquee(const Fiche &f);

enum class Resultat {
  Faite,           // the marked entry is at position nbFiches: decrease the count
  Rien,            // no card at that position: nothing written
  IndexEndommage,  // the entry points outside the live records: nothing written
  EchecFichier,    // a file could not be read or written
};

// What a deletion writes: the last record moved into number `record` (none
// when `record` is the last one), and the index entries at the 0-based
// positions `ecrites` of `entrees` (the live entries as they end).
struct Plan {
  int record = 0;
  Fiche deplacee;
  QList<EntreeIndex> entrees;
  QList<int> ecrites;
};

// Computes the deletion of the card at index position `position` without
// writing anything; `fiche` is the card shown there.
Resultat preparer(const QString &dossier, int nbFiches, int position, const Fiche &fiche, Plan &plan,
                  const std::function<void(int)> &progression = {});


} // namespace suppression
