#include "mesure.h"
#include "outils.h"

#include "mainwindow/filmorel.h"
#include "platform/dialogues.h"

#include <QDir>
#include <QMainWindow>
#include <QScrollBar>
#include <cstdio>


// Start-up of the main window on the catalogue (to the first card shown),
// next to an empty Qt window, and browsing every position.
void bench_fenetre(const QString &dossierCatalogue) {
  const QString avant = QDir::currentPath();
  QDir::setCurrent(dossierCatalogue);
  DialoguesFixes dlg;
  dlg.reponse = Dialogues::OK;
  const double vide = mesurer("fenetre Qt vide: creer et montrer", 11, [] {
    QMainWindow w;
    w.resize(1090, 690);
    w.show();
  });
  const double demarrage = mesurer("demarrage jusqu'a la premiere fiche", 11, [&dlg] {
    Filmorel f(&dlg);
    f.show();
    f.demarrer();
  });
  std::printf("demarrage / fenetre vide: %.2fx\n", vide > 0 ? demarrage / vide : 0.0);

  Filmorel f(&dlg);
  f.show();
  f.demarrer();
  const int n = f.v().nbFiches;
  const double tout = mesurer("parcourir toutes les fiches avec la barre", 3, [&f, n] {
    for (int p = 1; p <= n; ++p)
      f.VScroll1->setValue(p);
    f.VScroll1->setValue(1);
  });
  std::printf("parcours: %.3f ms par fiche\n", n > 0 ? tout / n : 0.0);
  QDir::setCurrent(avant);
}
