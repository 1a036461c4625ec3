#pragma once
#include "catalogue/sauvegardes.h"
#include "catalogue/transaction.h"
#include "storage/historique.h"
#include "storage/reglages.h"
#include "storage/variables.h"

#include <functional>

// The one writer of a data folder. Each command changes dvd.lst, dvd.idx,
// dvd.ini and the history file it needs in one transaction, then brings the
// shared state (count, index cache, card) in step with the files. The window
// calls a command and shows what it says.
namespace catalogue {

struct Resultat {
  enum Etat { Fait, Refuse, Echec };
  Etat etat = Fait;
  // What the user is told: why it was refused or failed, or a warning that
  // goes with a command done. Empty: nothing to say.
  QString message;
  bool fait() const { return etat == Fait; }
};

using Progression = std::function<void(int)>;

class Ecrivain {
public:
  // The folder is v.cheminAppli; the count, the index cache, the card on
  // display and the loaded history are those of `v`.
  explicit Ecrivain(Variables &v) : m_v(v) {}

  Disque &disque() { return m_disque; }
  // The before-image of the last command done: applied as a new
  // transaction, it gives the files as they were before that command.
  const Image &dernierAvant() const { return m_avant; }

  // Why the folder can only be read (said at start-up); empty when it can
  // be written. Every command is refused with this text while it is set.
  QString lectureSeule;

  // Saves `fiche` as a new card (after the last one) or over the card at
  // posCourante; the index is re-sorted when `trier` (a new card, a title
  // changed). On success posCourante is the card's index position.
  Resultat enregistrer(const Fiche &fiche, bool creation, bool trier, const Reglages &r,
                       const Progression &progression = {});
  // A return: the card saved as no longer lent and `pret` added to its
  // history. When only the history cannot be written, the card is still
  // saved and the result says so.
  Resultat reintegrer(const Fiche &fiche, const Pret &pret, const Reglages &r);
  // Deletes the card at index position `position` (the card on display).
  Resultat supprimer(int position, const Reglages &r, const Progression &progression = {});
  // Lookup lists and margins.
  Resultat sauverReglages(const Reglages &r);
  // Appends the cards after the last one and re-sorts the index.
  Resultat importer(const QList<Fiche> &fiches, const Reglages &r, const Progression &progression = {});

  // Undo: what the last command still undoable did ("suppression de
  // « Brazil »"), empty when there is none.
  QString aAnnuler() const;
  // Writes back the before-image of that command as a new transaction and
  // reloads the count, the index cache and the card (the one it touched).
  // Refused when the files it changed are no longer as it left them.
  Resultat annuler();

  // Backups: how many are kept, and what to do when the first one of the
  // run cannot be made (told the reason; true: go on without it). Unset:
  // go on.
  int sauvegardesGardees = kSauvegardesGardees;
  std::function<bool(const QString &message)> sauvegardeImpossible;
  // Once the folder is open and may be written: the first backup is copied
  // in the background, ready for the first change.
  void preparerSauvegarde() { m_enAvance.commencer(m_v.cheminAppli); }
  // Puts back the files of a backup, after saving the current ones as a new
  // backup, as one command (undoable).
  Resultat restaurer(const Sauvegarde &sauvegarde);

  // After keeping a copy of dvd.lst, dvd.idx and dvd.ini in the folder
  // `copie` (created), makes `entrees` the live index and their number the
  // count. Entries beyond them are left as they are.
  Resultat reparer(const QList<EntreeIndex> &entrees, const Reglages &r, const QString &copie);

private:
  struct Enregistrement;
  // A command done this run: what undoes it, and a fingerprint of what it
  // left in the places it changed.
  struct Pas {
    QString libelle;
    Image avant;
    QByteArray apres;
    int position;
  };
  // Read-only refusal, then the first backup of the run; names the command
  // about to run.
  Resultat commencer(const QString &libelle);
  QString sauvegarderAvant();
  void relire(int position);
  Resultat preparer(Enregistrement &e, const Fiche &fiche, bool creation, bool trier, const Progression &p);
  void ajouterIni(Transaction &t, const Reglages &r, int nbFiches);
  bool valider(Transaction &t);

  Variables &m_v;
  Disque m_disque;
  Image m_avant;
  QList<Pas> m_pas;
  QString m_libelle;
  int m_positionAvant = 0;
  bool m_sauvegarde = false;
  SauvegardeEnAvance m_enAvance;
};

} // namespace catalogue
