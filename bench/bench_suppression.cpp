// Deleting one card of the generated catalogue, both ways the files change.
#include "mesure.h"
#include "storage/fichiers.h"
#include "storage/reglages.h"
#include "storage/suppression.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
QByteArray lireTout(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrireTout(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  if (f.open(QIODevice::WriteOnly))
    f.write(octets);
}
} // namespace

void bench_suppression(const QString &dossierCatalogue) {
  QTemporaryDir tmp;
  if (!tmp.isValid())
    return;
  const QString dossier = tmp.path();
  const QString lst = QDir(dossier).filePath(QStringLiteral("dvd.lst"));
  const QString idx = QDir(dossier).filePath(QStringLiteral("dvd.idx"));
  const QByteArray lstOrigine = lireTout(cheminDans(dossierCatalogue, QStringLiteral("dvd.lst")));
  const QByteArray idxOrigine = lireTout(cheminDans(dossierCatalogue, QStringLiteral("dvd.idx")));
  Reglages r;
  reglages::lire(cheminDans(dossierCatalogue, QStringLiteral("dvd.ini")), r);
  const int n = qMin(r.nbFiches, fichiers::nbEntreesSurDisque(dossierCatalogue));
  if (n < 2)
    return;
  // Every run starts from the whole catalogue again.
  auto remettre = [&] {
    ecrireTout(lst, lstOrigine);
    ecrireTout(idx, idxOrigine);
  };
  remettre();

  QList<EntreeIndex> entrees;
  fichiers::lireEntrees(dossier, 1, n, entrees);
  // Case A: the card on the last record, wherever it is in title order.
  int positionA = 0;
  for (int p = 0; p < n; ++p)
    if (entrees[p].numero == n)
      positionA = p + 1;
  // Case B: the middle title, unless it happens to be the last record.
  int positionB = n / 2;
  if (entrees[positionB - 1].numero == n)
    ++positionB;

  QList<EntreeIndex> tabIndex(2001);
  Fiche fiche;
  const int runs = 21;
  auto supprimer = [&](int position) {
    fichiers::lireFiche(dossier, entrees[position - 1].numero, fiche);
    suppression::supprimer(dossier, n, position, tabIndex, fiche);
    // The count written back, as the window does.
    Reglages apres = r;
    apres.nbFiches = n - 1;
    reglages::sauver(QDir(dossier).filePath(QStringLiteral("dvd.ini")), apres);
  };
  if (positionA > 0)
    mesurer("supprimer la fiche du dernier enregistrement", runs, [&] { supprimer(positionA); }, remettre);
  mesurer("supprimer une fiche au milieu (dernier enregistrement deplace)", runs, [&] { supprimer(positionB); },
          remettre);
}
