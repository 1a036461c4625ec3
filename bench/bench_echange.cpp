// Timings of the exchange commands on a generated catalogue.
#include "catalogue/ecrivain.h"
#include "exchange/echange.h"
#include "mesure.h"
#include "storage/fichiers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {
bool ecrireTout(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}
} // namespace

void bench_echange(const QString &dossierCatalogue) {
  const int n = qBound(0, fichiers::nbEntreesSurDisque(dossierCatalogue), fichiers::MaxFiches);
  QList<EntreeIndex> tabIndex(fichiers::MaxFiches + 1);
  QTemporaryDir tmp;
  if (n < 2 || !tmp.isValid()) {
    std::fprintf(stderr, "bench_echange: no catalogue\n");
    return;
  }

  const QString xls = QDir(tmp.path()).filePath("export.xls");
  mesurer("exporter la liste des films (export.xls)", 21,
          [&] { echange::ecrireTableur(dossierCatalogue, n, tabIndex, xls); });

  QList<int> toutes;
  for (int p = 1; p <= n; ++p)
    toutes << p;
  const QString dossierExport = QDir(tmp.path()).filePath("export");
  mesurer("exporter une selection de toutes les fiches", 21, [&] {
    echange::exporterSelection(dossierCatalogue, n, tabIndex, toutes, {}, dossierExport, false);
  });

  // Every other card makes a catalogue of half the size (still in title
  // order); the other half is imported into it: no bar code in common.
  const QList<std::optional<Fiche>> fiches = echange::fichesEnOrdre(dossierCatalogue, n, tabIndex);
  QByteArray lst, idx;
  QList<Fiche> aImporter;
  int base = 0;
  for (int p = 0; p < fiches.size(); ++p) {
    if (!fiches[p])
      continue;
    if (p % 2 == 1) {
      aImporter << *fiches[p];
      continue;
    }
    ++base;
    EntreeIndex e;
    e.cle = EntreeIndex::cleDe(*fiches[p]);
    e.numero = static_cast<qint16>(base);
    lst += fiches[p]->versOctets();
    idx += e.versOctets();
  }
  QList<int> coches;
  for (int j = 0; j < aImporter.size(); ++j)
    coches << j;
  const QString dossier = QDir(tmp.path()).filePath("catalogue");
  QDir().mkpath(dossier);
  const QString nom = QStringLiteral("importer %1 fiches dans un catalogue de %2 (reclassement compris)")
                          .arg(aImporter.size())
                          .arg(base);
  // As in the program, the first backup was copied ahead while the user chose.
  Variables v;
  std::unique_ptr<catalogue::Ecrivain> ecrivain;
  mesurer(
      nom.toUtf8().constData(), 11,
      [&] {
        const echange::BilanImport choix = echange::choisirFiches(
            dossier, base, v.tabIndex, aImporter, coches, [](const EntreeIndex &, const Fiche &) { return false; });
        ecrivain->importer(choix.aInserer, Reglages());
      },
      [&] {
        ecrivain.reset();
        ecrireTout(QDir(dossier).filePath("dvd.lst"), lst);
        ecrireTout(QDir(dossier).filePath("dvd.idx"), idx);
        v = Variables();
        v.cheminAppli = dossier;
        v.nbFiches = base;
        ecrivain = std::make_unique<catalogue::Ecrivain>(v);
        ecrivain->preparerSauvegarde();
        QThread::msleep(300);
      });
}
