// Timings of the catalogue commands on a generated catalogue.
// Usage: filmorel_bench [N]   (N cards, 1 to 2000, default 2000)
//        filmorel_bench --generer FOLDER [N]   writes a catalogue folder with
//                                              covers for its first 50 cards
//        filmorel_bench --fenetre FOLDER         start-up in process and
//                                              browsing, on FOLDER
//        filmorel_bench --demarrage PROGRAM FOLDER [RUNS]
//                                              start-up of PROGRAM on FOLDER
//                                              against an empty Qt window
//                                              (filmorel_fenetre_vide)
#include "generer.h"
#include "mesure.h"
#include "storage/fichiers.h"
#include "storage/reclassement.h"
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace {
void ecrireIndex(const QString &dossier, const QByteArray &octets) {
  QFile f(dossier + QStringLiteral("/dvd.idx"));
  if (f.open(QIODevice::ReadWrite))
    f.write(octets);
}

QByteArray entreesDe(const QList<EntreeIndex> &entrees) {
  QByteArray octets;
  for (const EntreeIndex &e : entrees)
    octets += e.versOctets();
  return octets;
}

// The offscreen platform warns at every window resize: keep the output readable.
QtMessageHandler gestionnaireQt = nullptr;
void filtrerMessages(QtMsgType type, const QMessageLogContext &contexte, const QString &message) {
  if (!message.contains(QLatin1String("propagateSizeHints")) && gestionnaireQt)
    gestionnaireQt(type, contexte, message);
}
} // namespace

// The other commands, one file of bench/ each, on the same catalogue.
void bench_suppression(const QString &dossierCatalogue);
void bench_echange(const QString &dossierCatalogue);
void bench_listes(const QString &dossierCatalogue);
void bench_impression(const QString &dossierCatalogue);
void bench_fenetre(const QString &dossierCatalogue);
void bench_recherche(const QString &dossierCatalogue);
int bench_demarrage(const QString &programme, const QString &banc, const QString &dossier, int runs);
void bench_annulation(const QString &dossierCatalogue);

int main(int argc, char **argv) {
  fichiers::garderMemoireDesParcours(); // as the program does
  // Window and printing timings need widgets, with or without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  gestionnaireQt = qInstallMessageHandler(filtrerMessages);
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments();
  if (args.value(1) == QLatin1String("--generer") && args.size() >= 3) {
    genererCatalogue(args[2], std::clamp(args.value(3, QStringLiteral("2000")).toInt(), 1, 2000));
    genererJaquettes(args[2], 50);
    return 0;
  }
  if (args.value(1) == QLatin1String("--fenetre") && args.size() >= 3) {
    bench_fenetre(args[2]);
    return 0;
  }
  if (args.value(1) == QLatin1String("--demarrage") && args.size() >= 4)
    return bench_demarrage(args[2], QApplication::applicationDirPath() + QStringLiteral("/filmorel_fenetre_vide"),
                           args[3], args.value(4, "11").toInt());
  const int n = argc > 1 ? std::clamp(QByteArray(argv[1]).toInt(), 1, 2000) : 2000;
  QTemporaryDir tmp;
  if (!tmp.isValid()) {
    std::fprintf(stderr, "no temporary folder\n");
    return 1;
  }
  const QString dossier = tmp.path();
  genererCatalogue(dossier, n);
  std::printf("catalogue: %d cards\n", n);

  QList<EntreeIndex> trie;
  fichiers::lireEntrees(dossier, 1, n, trie);
  const int runs = 21;
  QList<EntreeIndex> tabIndex(2001);

  // The whole catalogue in two reads, each entry's card found by its number.
  mesurer("lire le catalogue (index + fiches)", runs, [&] {
    QList<EntreeIndex> entrees;
    QList<Fiche> fiches;
    fichiers::lireEntrees(dossier, 1, n, entrees);
    fichiers::lireFiches(dossier, 1, n, fiches);
    Fiche f;
    for (int p = 1; p <= n; ++p) {
      tabIndex[p] = entrees[p - 1];
      if (const int num = tabIndex[p].numero; num >= 1 && num <= n)
        f = fiches[num - 1];
    }
  });

  // The same walk one record at a time, each read opening its file.
  mesurer("lire le catalogue fiche par fiche", 5, [&] {
    Fiche f;
    for (int p = 1; p <= n; ++p) {
      fichiers::lireEntree(dossier, p, tabIndex[p]);
      fichiers::lireFiche(dossier, tabIndex[p].numero, f);
    }
  });

  QList<EntreeIndex> inverse(trie.crbegin(), trie.crend());
  mesurer("reclasser un index inverse", runs,
          [&] { reclasserFichier(dossier, n); },
          [&] { ecrireIndex(dossier, entreesDe(inverse)); });

  // The first title appended last: the new card goes all the way back.
  QList<EntreeIndex> ajout = trie.mid(1);
  ajout.append(trie.first());
  mesurer("reclasser apres ajout d'une fiche", runs,
          [&] { reclasserFichier(dossier, n); },
          [&] { ecrireIndex(dossier, entreesDe(ajout)); });
  ecrireIndex(dossier, entreesDe(trie)); // the others start from a sorted catalogue

  bench_suppression(dossier);
  bench_annulation(dossier);
  bench_echange(dossier);
  bench_listes(dossier);
  bench_impression(dossier);
  bench_recherche(dossier);
  bench_fenetre(dossier);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("memoire maximale du banc (toutes les commandes): %.1f Mo\n", usage.ru_maxrss / 1024.0);
  return 0;
}
