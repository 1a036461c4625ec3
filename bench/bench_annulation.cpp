// Undo and backups on the generated catalogue: the first backup of a run,
// the first change of a run (backup included) and the undo of a deletion.
// The other commands' lines already include keeping their before-image.
#include "catalogue/ecrivain.h"
#include "mesure.h"
#include "storage/fichiers.h"
#include "storage/historique.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

void bench_annulation(const QString &dossierCatalogue) {
  QTemporaryDir tmp;
  if (!tmp.isValid())
    return;
  const QString dossier = tmp.path();
  for (const QString &nom : {QStringLiteral("dvd.lst"), QStringLiteral("dvd.idx"), QStringLiteral("dvd.ini")})
    QFile::copy(cheminDans(dossierCatalogue, nom), QDir(dossier).filePath(nom));
  // A history for one card in ten, as a catalogue in use has.
  QDir(dossier).mkpath(QStringLiteral("historique"));
  Reglages r;
  reglages::lire(QDir(dossier).filePath(QStringLiteral("dvd.ini")), r);
  const int n = qMin(r.nbFiches, fichiers::nbEntreesSurDisque(dossier));
  if (n < 2)
    return;
  for (int i = 0; i < n; i += 10)
    historique::ecrire(QDir(dossier).filePath(QStringLiteral("historique/%1.hst").arg(1000000000000 + i)),
                       {{QStringLiteral("Martin"), QStringLiteral("01/01/2020"), QStringLiteral("02/01/2020")}});
  const QString sauvegardes = QDir(dossier).filePath(catalogue::kSauvegardes);
  const int runs = 21;
  mesurer("premiere sauvegarde du catalogue (dvd.lst, dvd.idx, dvd.ini, historique)", runs,
          [&] { catalogue::sauvegarder(dossier, catalogue::kSauvegardesGardees); },
          [&] { QDir(sauvegardes).removeRecursively(); });

  Variables v;
  v.cheminAppli = dossier + u'/';
  auto ouvrir = [&] {
    v.nbFiches = n;
    QList<EntreeIndex> entrees;
    fichiers::lireEntrees(dossier, 1, n, entrees);
    std::copy(entrees.cbegin(), entrees.cend(), v.tabIndex.begin() + 1);
    v.posCourante = n / 2;
    fichiers::lireFiche(dossier, entrees[n / 2 - 1].numero, v.ficheCourante);
  };
  // Each run undoes its own change: the folder is the same for the next.
  std::unique_ptr<catalogue::Ecrivain> ecrivain;
  mesurer("premiere modification d'une execution (sauvegarde comprise)", runs,
          [&] { ecrivain->sauverReglages(r); },
          [&] {
            if (ecrivain)
              ecrivain->annuler();
            QDir(sauvegardes).removeRecursively();
            ouvrir();
            ecrivain = std::make_unique<catalogue::Ecrivain>(v);
          });
  // As the window does: copied ahead once the folder is open, while the
  // user reads.
  mesurer("premiere modification d'une execution (sauvegarde copiee d'avance)", 11,
          [&] { ecrivain->sauverReglages(r); },
          [&] {
            ecrivain->annuler();
            QDir(sauvegardes).removeRecursively();
            ouvrir();
            ecrivain = std::make_unique<catalogue::Ecrivain>(v);
            ecrivain->preparerSauvegarde();
            QThread::msleep(500);
          });
  mesurer("annuler la suppression d'une fiche au milieu", runs, [&] { ecrivain->annuler(); },
          [&] {
            ouvrir();
            ecrivain->supprimer(n / 2, r);
          });
}
