#pragma once
#include "mainwindow/filmorel.h"
#include "support/catalogue.h"
#include "support/dialoguesscripts.h"
#include "storage/fichiers.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>
#include <memory>

// Messages several window tests answer.
inline const QString kAnnuler = QStringLiteral(
    "Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune modification ne sera apportée.");
inline const QString kCreer = QStringLiteral("Fiche non trouvée !!!\r\rVoulez-vous la créer ?");

// A main window started on a data folder of its own, with scripted dialogs.
// The current directory is the data folder while the window starts.
struct FenetreTest {
  QTemporaryDir dossier;
  DialoguesScripts dlg;
  std::unique_ptr<Filmorel> f;
  catalogue::Ecrivable ecrivable; // what the window is told it can write

  QString chemin(const QString &nom) const { return QDir(dossier.path()).filePath(nom); }

  // Writes a catalogue of these cards and starts the window on it. An empty
  // list expects the empty-catalogue message (answered here).
  Filmorel &ouvrir(const QList<Fiche> &cartes, const Reglages &r = catalogue::reglagesDeBase()) {
    catalogue::ecrire(dossier.path(), cartes, r);
    return demarrer(cartes.isEmpty());
  }

  Filmorel &demarrer(bool vide = false) {
    if (vide)
      avis({});
    const QString avant = QDir::currentPath();
    QDir::setCurrent(dossier.path());
    f = std::make_unique<Filmorel>(&dlg);
    f->ecrivable = ecrivable;
    f->show();
    f->activateWindow();
    (void)QTest::qWaitForWindowActive(f.get());
    f->demarrer();
    QDir::setCurrent(avant);
    return *f;
  }

  QByteArray octets(const QString &nom) const { return catalogue::contenu(chemin(nom)); }
  // The three data files (here, or in a folder under it), to show that nothing was written.
  QByteArray donnees(const QString &sous = {}) const {
    return octets(sous + "dvd.lst") + '|' + octets(sous + "dvd.idx") + '|' + octets(sous + "dvd.ini");
  }
  // Record n of dvd.lst and entry p of dvd.idx as saved.
  Fiche lue(int n) const {
    Fiche c;
    EXPECT_TRUE(fichiers::lireFiche(dossier.path(), n, c)) << n;
    return c;
  }
  EntreeIndex entree(int p) const {
    EntreeIndex e;
    EXPECT_TRUE(fichiers::lireEntree(dossier.path(), p, e)) << p;
    return e;
  }
  // Loan flag, date and borrower of record n as saved.
  QString pret(int n) const {
    const Fiche c = lue(n);
    return QStringList({sansBlancsFinaux(c.get(Champ::preter)), sansBlancsFinaux(c.get(Champ::datepret)),
                        sansBlancsFinaux(c.get(Champ::nom))}).join('|');
  }
  Reglages ini() const {
    Reglages r;
    reglages::lire(chemin("dvd.ini"), r);
    return r;
  }
  // Queue the answer to a Yes/No question, or OK for a message box, of the usual title.
  DialoguesScripts &question(int r, const QString &texte = {}) { return dlg.repondre(r, texte, 36, "Message"); }
  DialoguesScripts &avis(const QString &texte, int s = 48) { return dlg.repondre(Dialogues::OK, texte, s, "Message"); }

};
