#pragma once
#include "entreeindex.h"
#include "fiche.h"
#include <QList>
#include <QString>

// Data-folder paths. A folder copied from Windows may spell a name in another
// case (DVD.LST, Jackets): when the exact name is missing, an entry whose name
// matches ignoring case is used instead.
QString cheminDans(const QString &dossier, const QString &nom);
// Lists the sub-folder `sous` of `dossier` for those lookups ahead, on any
// thread: the lookups of the first card then find the listing made.
void listerAvance(const QString &dossier, const QString &sous);

// Random access to the record files dvd.lst (1017-byte cards) and dvd.idx
// (125-byte entries). Numbers count from 1; a number outside 1..MaxFiches is
// refused (false) rather than read or written. Opening a missing file creates
// it empty; files are never shortened.
namespace fichiers {
inline constexpr int MaxFiches = 2000;

// False (and `fiche` untouched) when the record does not exist on disk.
bool lireFiche(const QString &dossier, int numero, Fiche &fiche);
// Records premier..premier+nombre-1 in one read, for walks over the whole
// catalogue (one open instead of one per card); false (and `fiches`
// untouched) unless the file holds all of them.
bool lireFiches(const QString &dossier, int premier, int nombre, QList<Fiche> &fiches);
bool ecrireFiche(const QString &dossier, int numero, const Fiche &fiche);
bool lireEntree(const QString &dossier, int position, EntreeIndex &entree);
// Entries premiere..premiere+nombre-1 in one read; false (and `entrees`
// untouched) unless the file holds all of them.
bool lireEntrees(const QString &dossier, int premiere, int nombre, QList<EntreeIndex> &entrees);
// Only the record numbers of those entries (no key decoded), as lireEntrees.
bool lireNumeros(const QString &dossier, int premiere, int nombre, QList<qint16> &numeros);
bool ecrireEntree(const QString &dossier, int position, const EntreeIndex &entree);
// Writes entries[p] at 0-based index position p for each of `positions`
// (ascending), consecutive positions in one write.
bool ecrirePositions(const QString &dossier, const QList<EntreeIndex> &entrees, const QList<int> &positions);
// Number of whole records the files hold.
int nbFichesSurDisque(const QString &dossier);
int nbEntreesSurDisque(const QString &dossier);
// Creates both files empty when missing.
void creerSiAbsents(const QString &dossier);

// Whole-catalogue walks allocate and free a few megabytes each time (one
// string per card). By default glibc hands memory freed at the top of the
// heap back to the system at once, and every walk pays page faults to get it
// again: keep it for the next walk instead. Called once at program start.
void garderMemoireDesParcours();
}
