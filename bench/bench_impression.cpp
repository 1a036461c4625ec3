// Printing of the catalogue list: the page layout alone, and the whole print
// to a PDF file. Needs a QApplication (fonts and printer).
#include "listings/impression.h"
#include "listings/listing.h"
#include "mesure.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"
#include "storage/fichiers.h"
#include "storage/reglages.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>

void bench_impression(const QString &dossierCatalogue) {
  if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
    std::printf("impression: skipped (needs a QApplication)\n");
    return;
  }
  // The catalogue list as the list window holds it.
  const int n = fichiers::nbEntreesSurDisque(dossierCatalogue);
  QList<EntreeIndex> entrees;
  fichiers::lireEntrees(dossierCatalogue, 1, n, entrees);
  GrilleImprimable g;
  g.lignes.append({QString(), QStringLiteral("TITRES DES DVDS"), QStringLiteral("ACHAT")});
  for (int i = 0; i < entrees.size(); ++i)
    g.lignes.append({QString::number(i + 1), listes::titreAffiche(entrees[i].titre()), entrees[i].dateachat().trimmed()});
  while (g.lignes.size() < std::max<qsizetype>(17, entrees.size() + 2))
    g.lignes.append({QString(), QString(), QString()});
  g.largeurs = {33, 384, 73};
  g.margeGauche = g.margeHaut = QStringLiteral("10");
  g.date = QStringLiteral("01/01/2025");
  g.reponse = Dialogues::Non;

  // Always to a file, even on a machine with a printer.
  QTemporaryDir tmp;
  QPrinter &p = imprimanteChoisie();
  const QString avant = p.outputFileName();
  p.setOutputFileName(QDir(tmp.path()).filePath(QStringLiteral("liste.pdf")));
  imprimanteChoisieParUtilisateur(true);
  ImprimanteQt imp(tmp.path());
  imp.setOuverturePdf([](const QString &) {});

  int pages = 0;
  mesurer("impression: mise en page du catalogue", 21, [&] { pages = impression::mettreEnPage(g, imp).pages; });
  mesurer("impression: catalogue en PDF", 5, [&] {
    impression::executer(impression::mettreEnPage(g, imp), imp);
    imp.finDocument();
  });
  std::printf("impression: %d lines, %d pages, %lld bytes of PDF\n", int(entrees.size()), pages,
              QFileInfo(p.outputFileName()).size());
  imprimanteChoisieParUtilisateur(false);
  p.setOutputFileName(avant);
}
