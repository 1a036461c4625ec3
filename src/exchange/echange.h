#pragma once
#include "storage/entreeindex.h"
#include "storage/fiche.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Spreadsheet export and the exchange folder (export.lst, export.dat and the
// covers): what is read and written, without windows. Positions and record
// numbers count from 1; `tabIndex` is the 1-based index cache.
namespace echange {

using Progression = std::function<void(int)>;

// The five lookup lists, in the order export.dat holds them.
struct Listes {
  QStringList genres, editeurs, sons, acheteurs, noms;
  bool operator==(const Listes &) const = default;
};

// A title as the lists show it: blanks trimmed at both ends, each CR turned
// into " : ", each LF removed.
QString titreAffiche(const QString &titre);

// Cards of index positions 1..nbFiches of `dossier`, in index order, read in
// bulk. The entries read go into `tabIndex`. A position whose entry cannot be
// read or points outside 1..nbFiches has no card.
QList<std::optional<Fiche>> fichesEnOrdre(const QString &dossier, int nbFiches,
                                          QList<EntreeIndex> &tabIndex);
// Titles of index positions 1..nbFiches (an unreadable entry gives "").
QStringList titresCatalogue(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex);

// ---------------------------------------------------------------- export.xls

// One line: the 23 fields at full width joined by ";" (1,039 characters),
// CR LF, Windows-1252. The title's CRs become " : " and its LFs go; the
// actors and the synopsis lose their CRs and LFs.
QByteArray ligneTableur(const Fiche &f);

struct BilanTableur {
  bool ecrit = false; // false: an existing file was left as it was
  int lignes = 0;
  int illisibles = 0; // live positions whose card could not be read
};
// Rewrites `fichier` whole with the cards of `dossier` in index order.
BilanTableur ecrireTableur(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                           const QString &fichier, const Progression &progression = {});

// ---------------------------------------------------------------- exchange folder

// The card as it leaves the catalogue: buyer, purchase date, loan date and
// borrower blanked, not lent.
Fiche ficheExportee(Fiche f);
// export.dat: the count, then the five lists separated by empty lines.
QByteArray contenuExportDat(int nombre, const Listes &listes);

struct ExportDat {
  bool nombreLu = false; // the first line held a whole number >= 0
  int nombre = 0;
  Listes listes;
};
// Lines end with CR LF or LF alone; a file cut short keeps what it holds.
ExportDat lireExportDat(const QByteArray &octets);
// The whole 1,017-byte records; a record cut by the end of the file is left out.
QList<Fiche> lireExportLst(const QByteArray &octets);

// The trimmed bar code when it can name a cover file (no folder part, no
// control character), else "".
QString nomJacket(const Fiche &f);
// Replaces `destination` with a copy of `source`. False when the source is
// missing or is the destination itself.
bool copierJacket(const QString &source, const QString &destination);

struct BilanExport {
  bool ecrit = false;  // export.lst and export.dat are in place
  int exportees = 0;   // records of export.lst
  int illisibles = 0;  // ticked cards that could not be read
};
// Creates `dossierExport` when missing. When a ticked position (ascending)
// can be read, writes export.lst (ticked cards, personal fields blanked) and
// export.dat beside the old ones, replaces them once both are whole
// (export.dat last), and copies the covers when `jackets`. Nothing is
// written when no card could be read; on a failed write the old pair stays.
BilanExport exporterSelection(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                              const QList<int> &positions, const Listes &listes,
                              const QString &dossierExport, bool jackets,
                              const Progression &progression = {});

// ---------------------------------------------------------------- import

// Asked for a card whose bar code is already in the catalogue (or was just
// imported); `existante` is the first such entry in index order. True
// inserts the card all the same.
using ConfirmerDoublon = std::function<bool(const EntreeIndex &existante, const Fiche &aInserer)>;

struct BilanImport {
  QList<Fiche> aInserer; // in the order they go after the last card
  int horsLimite = 0;    // ticked cards left out because the catalogue is full
  int illisibles = 0;    // ticked items with no whole record behind them
  int sansNom = 0;       // left out: their bar code cannot name a file
};
// Chooses the ticked cards (0-based items of `fiches`, ascending) that go
// after the nbFiches cards of `dossier`, each as read; writes nothing. A
// duplicate goes in only when `confirmer` says so; nothing goes beyond 2000
// cards. Progress: the item number.
BilanImport choisirFiches(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                          const QList<Fiche> &fiches, const QList<int> &coches, const ConfirmerDoublon &confirmer,
                          const Progression &progression = {});
// Copies the covers of `fiches` found in `dossierJackets` into jackets/.
void copierJackets(const QString &dossier, const QString &dossierJackets, const QList<Fiche> &fiches);

// Items of `entrants` that `existants` lacks (exact comparison), each once,
// in the order they come.
QStringList nouveauxItems(const QStringList &existants, const QStringList &entrants);

// Whole content of a file; false when it cannot be read.
bool lireTout(const QString &chemin, QByteArray &octets);

} // namespace echange
