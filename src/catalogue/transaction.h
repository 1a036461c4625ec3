#pragma once
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>

// All-or-nothing changes to the files of a data folder. A transaction
// collects the changes, writes a rollback journal (the old bytes of every
// place about to change and the old length of each file, with a checksum)
// and syncs it, applies the changes, syncs the files, then removes the
// journal. A journal found later means the changes may be half done: it is
// written back, which gives the files as they were before.
namespace catalogue {

// What the file layer does at a counted write.
enum class Panne {
  Aucune,
  Espace, // half the bytes go, then the write fails as on a full disk
  Arret,  // half the bytes go, then the process ends at once
};

// The file layer of the writer. Every write and sync of a transaction (journal
// included) passes here and is counted, so that a test can make the k-th one
// fail or end the process.
class Disque {
public:
  // Asked before each counted write with its rank (from 1 per transaction).
  std::function<Panne(int rang)> panne;

  void nouvelleTransaction() { m_rang = 0; }
  bool ecrire(QFile &f, qint64 position, const QByteArray &octets);
  // fsync: the bytes are on the disk, not only in the system's cache.
  static bool synchroniser(QFile &f);
  // The same, counted like a write: on a full disk a delayed write fails
  // only when it is synced.
  bool synchroniserCompte(QFile &f);
  static void synchroniserDossier(const QString &dossier);

private:
  int m_rang = 0;
};

// The state of every place a transaction changes, taken before it: what the
// journal keeps, and what undoing the transaction writes back.
struct Image {
  struct Region {
    qint64 position = 0;
    QByteArray octets;
    bool operator==(const Region &) const = default;
  };
  struct Fichier {
    QString nom;        // relative to the data folder
    qint64 taille = -1; // -1: the file did not exist
    QList<Region> regions;
    bool operator==(const Fichier &) const = default;
  };
  QList<Fichier> fichiers;

  bool vide() const { return fichiers.isEmpty(); }
  // Journal bytes: the image and its SHA-256.
  QByteArray journal() const;
  // False when the bytes are not a whole journal (cut by a crash while it
  // was written: the files were not touched yet).
  static bool depuisJournal(const QByteArray &octets, Image &image);
  // Writes the old bytes back and gives each file its old length (a file
  // that did not exist is removed), then syncs. Writes are not counted.
  bool restaurer(const QString &dossier) const;
  bool operator==(const Image &) const = default;
};

inline const QString kJournal = QStringLiteral("filmorel.jnl");

class Transaction {
public:
  Transaction(QString dossier, Disque &disque) : m_dossier(std::move(dossier)), m_disque(disque) {}

  // `nom` is relative to the data folder (found ignoring case when the exact
  // name is missing). Bytes at `position`; a gap after the end is zero-filled.
  void ecrire(const QString &nom, qint64 position, const QByteArray &octets);
  // The file's whole new content.
  void remplacer(const QString &nom, const QByteArray &octets);
  // Cuts the file to `taille` bytes, after this transaction's other writes
  // to it; a negative size removes it. Only undo and restore shorten files.
  void retailler(const QString &nom, qint64 taille);
  bool vide() const { return m_changements.isEmpty(); }

  // Journal, changes, sync, journal removed. False when any step failed:
  // the files are then as they were before (or the journal is left for the
  // next start-up when even that could not be done).
  bool valider();
  // The before-image of the last valider().
  const Image &avant() const { return m_avant; }

private:
  struct Changement {
    QString nom;
    qint64 position; // -1: the whole file
    QByteArray octets;
    qint64 taille = kGarder; // retailler(): the new length, -1 removes the file
  };
  static constexpr qint64 kGarder = -2;
  bool appliquer();
  QString chemin(const QString &nom) const;

  QString m_dossier;
  Disque &m_disque;
  QList<Changement> m_changements;
  Image m_avant;
};

enum class Reprise {
  Rien,     // no journal, or one that was never complete (removed)
  Annulee,  // a command cut short was rolled back
  Echec,    // the journal is there but could not be written back
};
// Run at start-up by the holder of the folder's lock, before anything is read.
Reprise reprendre(const QString &dossier);

} // namespace catalogue
