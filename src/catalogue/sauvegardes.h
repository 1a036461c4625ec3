#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <thread>

// Copies of a catalogue kept inside its data folder, in
// sauvegardes/<yyyy-MM-dd_HH-mm-ss>/: dvd.lst, dvd.idx, dvd.ini and the
// history files, as they were before the first change of a run.
namespace catalogue {

inline const QString kSauvegardes = QStringLiteral("sauvegardes");
constexpr int kSauvegardesGardees = 10;

struct Sauvegarde {
  QString chemin;
  QDateTime date;
  int nbFiches = -1; // -1: its dvd.ini gives no count
};

// Copies the catalogue files of `dossier` into a new backup, then removes the
// oldest ones beyond `gardees`. Returns the backup's folder, empty when it
// could not be made (nothing half-made is left).
QString sauvegarder(const QString &dossier, int gardees, const QDateTime &quand = QDateTime::currentDateTime());
// The backups of `dossier`, newest first.
QList<Sauvegarde> sauvegardes(const QString &dossier);

// The first backup of a run, copied on another thread while the user only
// reads, so that the first change does not wait for it. Nothing writes to
// the folder meanwhile but another program, which the copy checks for.
class SauvegardeEnAvance {
public:
  ~SauvegardeEnAvance() { abandonner(); }
  // Starts copying the files of `dossier` into sauvegardes/.en-avance.
  void commencer(const QString &dossier);
  // Waits for the copy; when the files are still those copied, makes it
  // the backup dated `quand` (as sauvegarder() does). Empty: no copy, or
  // one that no longer matches (removed); a backup is still to be made.
  QString publier(int gardees, const QDateTime &quand = QDateTime::currentDateTime());
  // Waits for the copy and removes it: nothing changed in this run.
  void abandonner();

private:
  std::thread m_fil;
  QString m_dossier, m_copie;
  QByteArray m_empreinte;
  bool m_faite = false;
};

} // namespace catalogue
