#pragma once
#include <QList>
#include <QString>

// Loan history of one DVD: historique/<ean padded to 13>.hst, three CR LF
// lines per loan (borrower, loan date, return date), oldest first.
struct Pret {
  QString nom;
  QString datePret;
  QString dateRetour;
  bool operator==(const Pret &) const = default;
};

namespace historique {
inline constexpr int MaxPrets = 1000;

// Empty when the bar code cannot name a file (see nommeUnFichier).
QString chemin(const QString &dossier, const QString &ean13);
// A bar code read from a file is data: one holding a slash, a backslash, a
// colon or a control character, or that is "." or ".." once trimmed,
// names no file.
bool nommeUnFichier(const QString &ean);
enum class Lecture { Absent, Lu, Erreur };
// Reads whole groups of three lines (a trailing partial group is dropped),
// lines ending in CR LF or LF; at most the MaxPrets most recent loans.
// Absent when the file (or its folder) does not exist.
Lecture lire(const QString &chemin, QList<Pret> &prets);
// Rewrites the file whole. Keeps the MaxPrets most recent loans. False when
// the folder is missing or not writable.
bool ecrire(const QString &chemin, const QList<Pret> &prets);
// The bytes `ecrire` writes.
QByteArray octets(const QList<Pret> &prets);
}
