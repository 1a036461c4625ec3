#pragma once
#include <QDateTime>
#include <QList>
#include <QString>

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

} // namespace catalogue
