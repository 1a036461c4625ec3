#pragma once
#include "mainwindow/filmorel.h"
#include "support/catalogue.h"
#include "support/dialoguesscripts.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// A main window started on a data folder of its own, with scripted dialogs.
// The current directory is the data folder while the window starts.
struct FenetreTest {
  QTemporaryDir dossier;
  DialoguesScripts dlg;
  std::unique_ptr<Filmorel> f;

  QString chemin(const QString &nom) const { return QDir(dossier.path()).filePath(nom); }

  // Writes a catalogue of these cards and starts the window on it. An empty
  // list expects the empty-catalogue message (answered here).
  Filmorel &ouvrir(const QList<Fiche> &cartes, const Reglages &r = catalogue::reglagesDeBase()) {
    catalogue::ecrire(dossier.path(), cartes, r);
    return demarrer(cartes.isEmpty());
  }

  Filmorel &demarrer(bool vide = false) {
    if (vide)
      dlg.repondre(Dialogues::OK, {}, 48, "Message");
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    f = std::make_unique<Filmorel>(&dlg);
    f->show();
    f->activateWindow();
    (void)QTest::qWaitForWindowActive(f.get());
    f->demarrer();
    QDir::setCurrent(avant);
    return *f;
  }

  template <class T = QWidget> T *ctrl(const char *nom) const {
    return f->findChild<T *>(QString::fromLatin1(nom));
  }
};
