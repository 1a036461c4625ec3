#include "mainwindow/dossier.h"

#include "platform/dialogues.h"
#include "storage/fichiers.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

const QDir::Filters kTout = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

// Copies the starter catalogue into `cible`, which is missing or empty. The
// placeholders that keep empty folders in git stay behind. On a failure
// everything made so far is removed, so a half-made catalogue never opens.
bool copier(const QString &depart, const QString &cible) {
  const bool existait = QFileInfo::exists(cible);
  QString nouveau = cible; // the topmost folder the copy creates
  while (!QFileInfo::exists(QFileInfo(nouveau).path()))
    nouveau = QFileInfo(nouveau).path();
  bool ok = QFileInfo(depart).isDir() && QDir().mkpath(cible);
  QStringList fichiers;
  for (QDirIterator it(depart, kTout, QDirIterator::Subdirectories); ok && it.hasNext();) {
    const QFileInfo info(it.next());
    const QString relatif = QDir(depart).relativeFilePath(info.filePath());
    if (info.isDir())
      ok = QDir(cible).mkpath(relatif);
    else if (info.fileName() != QLatin1String(".gitkeep"))
      fichiers << relatif;
  }
  // dvd.ini last: until it is there, the folder is not a catalogue.
  std::stable_partition(fichiers.begin(), fichiers.end(), [](const QString &f) {
    return f.compare(QLatin1String("dvd.ini"), Qt::CaseInsensitive) != 0;
  });
  for (const QString &relatif : std::as_const(fichiers)) {
    const QString copie = QDir(cible).filePath(relatif);
    ok = ok && QFile::copy(QDir(depart).filePath(relatif), copie);
    // An installed catalogue is read-only: the user's copy must not be.
    if (ok)
      QFile(copie).setPermissions(QFile(copie).permissions() | QFile::WriteOwner);
  }
  if (!ok && !existait)
    QDir(nouveau).removeRecursively();
  else if (!ok) // the folder was empty: all it holds now is ours
    for (const QFileInfo &e : QDir(cible).entryInfoList(kTout))
      e.isDir() && !e.isSymLink() ? QDir(e.filePath()).removeRecursively() : QFile::remove(e.filePath());
  return ok;
}

} // namespace

namespace dossier {

QString catalogueDeDepart(const QString &dossierProgramme) {
  if (QFileInfo::exists(QDir(dossierProgramme).filePath(QStringLiteral("CMakeCache.txt"))))
    return QStringLiteral(FILMOREL_SOURCE_DIR "/share/catalogue");
  return QDir::cleanPath(QDir(dossierProgramme).filePath(QStringLiteral(FILMOREL_DATA_DIR "/catalogue")));
}

QString choisir(const QString &argument, const QString &courant, const QString &maison) {
  if (argument.isEmpty() && !QFileInfo::exists(cheminDans(courant, QStringLiteral("dvd.ini"))))
    return QDir::cleanPath(QDir(maison).filePath(QStringLiteral("Filmorel")));
  return QDir::cleanPath(QDir(courant).absoluteFilePath(argument));
}

QString preparer(Dialogues &dialogues, const QString &argument, const QString &courant, const QString &maison,
                 const QString &depart) {
  const QString choisi = choisir(argument, courant, maison);
  const QFileInfo info(choisi);
  if (info.isDir() && !QDir(choisi).isEmpty(kTout))
    return choisi;
  if ((!info.exists() || info.isDir()) && copier(depart, choisi)) {
    // A named folder that was new or empty may be a mistyped path: say what
    // was made there. ~/Filmorel on a first run needs no word.
    if (!argument.isEmpty())
      dialogues.message(QStringLiteral("Un nouveau catalogue, vide, a été créé dans le dossier :\r%1")
                            .arg(QDir::toNativeSeparators(choisi)),
                        64, QStringLiteral("Message"));
    return choisi;
  }
  dialogues.message(QStringLiteral("Impossible de créer un catalogue dans le dossier :\r%1\r\rVérifiez que ce "
                                   "chemin est un dossier accessible en écriture.")
                        .arg(QDir::toNativeSeparators(choisi)),
                    48, QStringLiteral("Message"));
  return {};
}

} // namespace dossier
