#pragma once
#include "storage/entreeindex.h"
#include "storage/fiche.h"
#include "storage/historique.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// What the list window shows: a caption, the kind of listing printing goes by,
// the columns and the lines. Plain data: the listings build it from the
// files, the window renders it, printing reads the rendered grid.
struct ColonneListe {
  int largeur = -1; // twips; -1 keeps the grid's default width
  QString entete;   // written centred in row 0
  Qt::Alignment alignement = Qt::AlignCenter; // of the line cells
};

struct Listing {
  QString titre;
  int typeListe = 0; // 0 catalogue, 1 loans and filtered, 2 loan history, 3 buyer
  QList<ColonneListe> colonnes;
  QList<QStringList> lignes; // one text per column, column 0 included
  int rangeeSelectionnee = 0;
  // Index position of each line's card (card listings only): the list
  // window shows that card on a double-click.
  QList<int> positions;
  QString sujet; // said above the grid: the DVD of a loan history

  // Gives the lines added since the last call the card at `position`.
  void rattacher(int position) {
    while (positions.size() < lignes.size())
      positions.append(position);
  }

  // Grid rows: the head row, the lines, and at least one empty row.
  static int nbRangees(int nbLignes) { return nbLignes < 16 ? 17 : nbLignes + 2; }
  int nbRangees() const { return nbRangees(int(lignes.size())); }
};

namespace listes {

// A title as the lists show it: CR becomes " : ", LF goes, blanks trimmed.
QString titreAffiche(const QString &titre);

// Walks entries 1..nbFiches of the index in order with their cards. `fiche`
// is null when the entry points outside the live records or the record is
// missing. `entree` is what dvd.idx holds (a missing entry reads empty).
using Visite = std::function<void(int position, const EntreeIndex &entree, const Fiche *fiche)>;
void parcourir(const QString &dossier, int nbFiches, const Visite &visite);
// Same walk without the cards (the loan-history listing reads no card).
void parcourirIndex(const QString &dossier, int nbFiches,
                    const std::function<void(int position, const EntreeIndex &entree)> &visite);

// --- catalogue list and loan list ---
Listing nouveauCatalogue();
// Line of the catalogue list for one card; line numbers follow the index.
void ajouterAuCatalogue(Listing &l, const EntreeIndex &entree, const Fiche *fiche);
// Most recent purchase first, stable; column 0 keeps 1, 2, 3 ...
void trierParDate(Listing &catalogue);
// Days since an epoch of a purchase date; a blank or unreadable one counts as
// 01/01/1999.
qint64 jourAchat(const QString &date);

Listing nouveauxPrets();
bool estPrete(const Fiche &f); // "Oui" exactly
void ajouterAuxPrets(Listing &l, const Fiche &f);

// --- loan history of one DVD, latest loan first ---
Listing historiqueDvd(const QList<Pret> &prets);

// --- filtered listings ---
enum class Critere { Genre, Editeur, Terme, Acteur, Realisateur, Acheteur };
struct DefCritere {
  Champ champ;
  const char *titre;   // caption, followed by the criterion
  int typeListe;
  const char *absent;  // message when nothing matches
};
const DefCritere &defCritere(Critere c);

// The genre: the criterion equals the trimmed field. The others: the trimmed
// upper-case criterion occurs in the trimmed upper-case field, which must not
// be blank. Genre, publisher and buyer criteria are first cut to the field's
// width, as a list item is stored.
bool correspond(Critere c, const QString &critere, const Fiche &f);
Listing nouveauFiltre(Critere c, const QString &critere);
void ajouterAuFiltre(Listing &l, const EntreeIndex &entree);

// The history files of a data folder, listed once: a walk over every DVD
// would otherwise search the folder again, ignoring case, for each DVD that
// was never lent. Empty path when the DVD has no history file.
class DossierHistorique {
public:
  explicit DossierHistorique(const QString &dossier);
  QString chemin(const QString &ean) const;

private:
  QHash<QString, QString> m_exacts, m_sansCasse; // file name -> path
};

// Films lent to a person: one line per loan whose borrower is exactly `nom`.
Listing nouveauxFilmsPretes(const QString &nom);
void ajouterLesPretsA(Listing &l, const QString &nom, const EntreeIndex &entree,
                      const QList<Pret> &prets);

} // namespace listes
