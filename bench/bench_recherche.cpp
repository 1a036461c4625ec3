// The searches of the main window and the saving of a new card, on the
// generated catalogue, through the window itself.
#include "mainwindow/filmorel.h"
#include "mesure.h"
#include "outils.h"
#include "platform/dialogues.h"
#include "storage/fichiers.h"
#include "storage/reglages.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<Filmorel> ouvrir(const QString &dossier, Dialogues &dlg) {
  const QString avant = QDir::currentPath();
  QDir::setCurrent(dossier);
  auto f = std::make_unique<Filmorel>(&dlg);
  f->demarrer();
  QDir::setCurrent(avant);
  return f;
}
} // namespace

void bench_recherche(const QString &dossierCatalogue) {
  if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
    std::printf("recherche: no QApplication, skipped\n");
    return;
  }
  QTemporaryDir tmp;
  QString dossier;
  const int n = copieDeTravail(dossierCatalogue, tmp, dossier);
  if (n < 2)
    return;
  const int runs = 21;
  DialoguesFixes dlg;

  {
    auto f = ouvrir(dossier, dlg);
    dlg.reponse = Dialogues::OK;
    mesurer("rechercher un titre absent (tout l'index)", runs, [&] {
      f->v().reponseTexte = QStringLiteral("titre qui n'existe pas");
      f->recherchetitre();
    });

    EntreeIndex derniere;
    fichiers::lireEntree(dossier, n, derniere);
    mesurer("rechercher le code-barres de la derniere fiche", runs,
            [&] { f->eansearch->setText(derniere.ean()); }, [&] { f->afficherPosition(1); });

    mesurer("rechercher le prochain pret", runs, [&] { f->recherchepret(); }, [&] { f->afficherPosition(1); });

    // No lent card at all: both passes, then the message.
    QList<Fiche> fiches;
    fichiers::lireFiches(dossier, 1, n, fiches);
    for (int i = 0; i < fiches.size(); ++i)
      if (fiches[i].get(Champ::preter) == QLatin1String("Oui")) {
        fiches[i].set(Champ::preter, QStringLiteral("Non"));
        fichiers::ecrireFiche(dossier, i + 1, fiches[i]);
      }
    mesurer("rechercher un pret sans aucun pret (deux passages)", runs, [&] { f->recherchepret(); });
  }

  // A catalogue of n - 1 cards (the last record left out) receives card n:
  // appended, re-sorted from the end to the front, then shown.
  QList<EntreeIndex> entrees;
  fichiers::lireEntrees(dossier, 1, n, entrees);
  entrees.removeIf([n](const EntreeIndex &e) { return e.numero == n; });
  std::unique_ptr<Filmorel> f;
  auto preparer = [&] {
    f.reset();
    for (int p = 0; p < entrees.size(); ++p)
      fichiers::ecrireEntree(dossier, p + 1, entrees[p]);
    Reglages moins;
    reglages::lire(cheminDans(dossier, QStringLiteral("dvd.ini")), moins);
    moins.nbFiches = int(entrees.size());
    reglages::sauver(cheminDans(dossier, QStringLiteral("dvd.ini")), moins);
    f = ouvrir(dossier, dlg);
    dlg.reponse = Dialogues::Oui;
    f->ean->setText(QStringLiteral("9999999999999"));
    f->recherche();
    f->titre->setText(QStringLiteral("A"));
    // The user types for a while: the first backup is copied meanwhile.
    QEventLoop attente;
    QTimer::singleShot(600, &attente, &QEventLoop::quit);
    attente.exec();
  };
  mesurer("enregistrer une nouvelle fiche (ajout, reclassement, affichage)", runs, [&] { f->validation(); },
          preparer);
  f.reset();
}
