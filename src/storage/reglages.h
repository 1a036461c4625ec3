#pragma once
#include <QString>
#include <QStringList>

// Content of dvd.ini: card count, print margins and the five lookup lists.
struct Reglages {
  int nbFiches = 0;
  bool compteLisible = true; // false: the count was missing, not a number or negative
  QString margeHaut, margeBas, margeGauche, margeDroite;
  QStringList genres, editeurs, sons, acheteurs, noms;
  bool operator==(const Reglages &) const = default;
};

namespace reglages {
enum class Lecture { Absent, Lu };
// Reads dvd.ini as the old program did (value reads for the count and the
// margins, line reads for the lists). A file cut short keeps what was read.
// The count is clamped to 0..2000 (text that is not a number reads as 0).
// Absent (and `r` untouched) when the file cannot be opened.
Lecture lire(const QString &cheminIni, Reglages &r);
// Rewrites the whole file (CR LF after every line, the last one included).
// So that the file reads back in step, a comma in a margin is written as a
// dot, blank items of the first four lists are left out and a line feed
// inside an item becomes a space.
bool sauver(const QString &cheminIni, const Reglages &r);
// The bytes `sauver` writes.
QByteArray octets(const Reglages &r);
// A margin is stored as typed; one with a comma would shift every later read.
// True for a plain number of millimetres: "12", "7.5".
bool margeValide(const QString &marge);
}
