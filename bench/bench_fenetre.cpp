#include "mesure.h"
#include "outils.h"

#include "mainwindow/filmorel.h"
#include "mainwindow/widgets.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QScrollBar>
#include <QWindow>
#include <ctime>
#include <cstdio>

namespace {
double cpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Every position in turn, each card painted before the next (as a user
// holding Down sees them); CPU time per card, median of three passes.
void parcourir(const char *nom, Filmorel &f) {
  const int n = f.v().nbFiches;
  std::vector<double> parFiche;
  for (int passe = 0; passe < 3 && n > 0; ++passe) {
    const double debut = cpuMs();
    for (int p = 1; p <= n; ++p) {
      f.VScroll1->setValue(p);
      QCoreApplication::processEvents(); // the repaint of the card
    }
    parFiche.push_back((cpuMs() - debut) / n);
    f.VScroll1->setValue(1);
  }
  std::sort(parFiche.begin(), parFiche.end());
  std::printf("%s: median %.3f ms CPU par fiche, peinture comprise (%d fiches, 3 passes)\n", nom,
              parFiche.empty() ? 0.0 : parFiche[1], n);
  std::fflush(stdout);
}

// What browsing costs at least with Qt's widgets: the texts of every card,
// as the window shows them, set card after card into bare line edits and
// multi-line boxes of the same places and fonts (nothing else: no pictures,
// lists, counter nor data read).
void plancher(Filmorel &f) {
  QList<QLineEdit *> lignes;
  QList<ZoneTexte *> zones;
  for (QLineEdit *l : f.findChildren<QLineEdit *>())
    if (l->isVisible())
      lignes << l;
  for (ZoneTexte *z : f.findChildren<ZoneTexte *>())
    if (z->isVisible())
      zones << z;
  const int n = f.v().nbFiches;
  std::vector<QStringList> textes;
  for (int p = 1; p <= n; ++p) {
    f.VScroll1->setValue(p);
    QStringList t;
    for (QLineEdit *l : lignes)
      t << l->text();
    for (ZoneTexte *z : zones)
      t << z->text();
    textes.push_back(t);
  }
  QWidget w;
  w.resize(f.size());
  QList<QLineEdit *> l2;
  QList<ZoneTexte *> z2;
  const auto placer = [&f](QWidget *copie, const QWidget *modele) {
    copie->setGeometry(QRect(modele->mapTo(&f, QPoint()), modele->size()));
    copie->setFont(modele->font());
  };
  for (QLineEdit *l : lignes)
    placer(l2.emplace_back(new QLineEdit(&w)), l);
  for (ZoneTexte *z : zones)
    placer(z2.emplace_back(new ZoneTexte(&w)), z);
  w.show();
  for (int i = 0; i < 1000 && !w.windowHandle()->isExposed(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  std::vector<double> parFiche;
  for (int passe = 0; passe < 3 && n > 0; ++passe) {
    const double debut = cpuMs();
    for (const QStringList &t : textes) {
      for (qsizetype i = 0; i < l2.size(); ++i)
        l2[i]->setText(t[i]);
      for (qsizetype i = 0; i < z2.size(); ++i)
        z2[i]->setText(t[l2.size() + i]);
      QCoreApplication::processEvents();
    }
    parFiche.push_back((cpuMs() - debut) / n);
  }
  std::sort(parFiche.begin(), parFiche.end());
  std::printf("parcours, les memes textes dans %d champs Qt nus (plancher): median %.3f ms CPU par fiche\n",
              int(l2.size() + z2.size()), parFiche.empty() ? 0.0 : parFiche[1]);
  std::fflush(stdout);
}
} // namespace

// Start-up of the main window in process (to the first card shown), then
// browsing with painting, on the catalogue and again once its jackets and
// historique folders hold thousands of other files.
void bench_fenetre(const QString &dossierCatalogue) {
  QTemporaryDir tmp;
  QString dossier;
  copieDeTravail(dossierCatalogue, tmp, dossier);
  const QString avant = QDir::currentPath();
  QDir::setCurrent(dossier);
  DialoguesFixes dlg;
  dlg.reponse = Dialogues::OK;
  mesurer("demarrage en processus jusqu'a la premiere fiche", 11, [&dlg] {
    Filmorel f(&dlg);
    f.show();
    f.demarrer();
  });
  {
    Filmorel f(&dlg);
    f.show();
    f.demarrer();
    parcourir("parcours", f);
    plancher(f);
  }
  for (int i = 0; i < 2000; ++i) {
    QFile(dossier + QStringLiteral("jackets/autre%1.jpg").arg(i)).open(QIODevice::WriteOnly);
    QFile(dossier + QStringLiteral("historique/autre%1.hst").arg(i)).open(QIODevice::WriteOnly);
  }
  {
    Filmorel f(&dlg);
    f.show();
    f.demarrer();
    parcourir("parcours, 2000 fichiers de plus dans jackets et historique", f);
  }
  QDir::setCurrent(avant);
}
