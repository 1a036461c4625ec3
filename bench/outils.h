#pragma once
#include "platform/dialogues.h"
#include "storage/fichiers.h"
#include "storage/reglages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// Answers every box the same way and no other dialog, so a bench never waits.
class DialoguesFixes : public Dialogues {
public:
  int reponse = Oui;
  int message(const QString &, int, const QString &) override { return reponse; }
  bool saisie(const QString &, const QString &, QString &r, const QString &, const QStringList &) override {
    r.clear();
    return false;
  }
  QString ouvrirFichier(const QString &, const QString &, const QString &, const QString &) override {
    return {};
  }
  bool configurerImprimante() override { return false; }
};

// Copies a catalogue folder so a bench may change it.
inline void copierDossier(const QString &source, const QString &cible) {
  QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString chemin = it.next();
    const QString relatif = QDir(source).relativeFilePath(chemin);
    QDir(cible).mkpath(QFileInfo(relatif).path());
    QFile::copy(chemin, QDir(cible).filePath(relatif));
  }
  for (const char *sous : {"historique", "jackets", "export"})
    QDir(cible).mkpath(QString::fromLatin1(sous));
}

// A copy of the catalogue in `tmp` for a bench that changes it: its folder
// (with a final slash) in `dossier`, and the cards it really holds.
inline int copieDeTravail(const QString &source, const QTemporaryDir &tmp, QString &dossier) {
  if (!tmp.isValid())
    return 0;
  dossier = tmp.path() + u'/';
  copierDossier(source, tmp.path());
  Reglages r;
  reglages::lire(cheminDans(dossier, QStringLiteral("dvd.ini")), r);
  return qMin(r.nbFiches, fichiers::nbEntreesSurDisque(dossier));
}
