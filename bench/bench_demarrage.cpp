#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {
struct Lancement {
  double ms = -1;   // launch to the first painted frame
  long memoire = 0; // peak resident memory, kB
};

long long maintenantNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

// Starts `commande` in `dossier` (posix_spawn: no shell, no polling) and
// reads the time it prints once its window is painted.
Lancement lancer(const QStringList &commande, const QByteArray &dossier) {
  Lancement l;
  int tube[2];
  if (pipe(tube) != 0)
    return l;
  std::vector<QByteArray> octets;
  for (const QString &a : commande)
    octets.push_back(a.toLocal8Bit());
  std::vector<char *> argv;
  for (QByteArray &a : octets)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, tube[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, tube[0]);
  posix_spawn_file_actions_addchdir_np(&actions, dossier.constData());
  const long long debut = maintenantNs();
  pid_t pid = 0;
  const int erreur = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(tube[1]);
  QByteArray sortie;
  char bloc[256];
  for (ssize_t n; erreur == 0 && (n = read(tube[0], bloc, sizeof bloc)) > 0;)
    sortie.append(bloc, n);
  close(tube[0]);
  int etat = 0;
  rusage usage{};
  if (erreur != 0 || wait4(pid, &etat, 0, &usage) < 0)
    return l;
  const qsizetype i = sortie.indexOf("premiere image: ");
  if (i >= 0)
    l.ms = double(sortie.mid(i + 16).trimmed().toLongLong() - debut) / 1e6;
  l.memoire = usage.ru_maxrss;
  return l;
}

double mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
} // namespace

// The program, an empty Qt window and the same with a card's least text,
// launched in turn `runs` times each under the same display, from launch to
// their first painted frame.
int bench_demarrage(const QString &programme, const QString &fenetreVide, const QString &dossier, int runs) {
  const QStringList vide = {fenetreVide, QStringLiteral("--mesurer-demarrage")};
  const QStringList texte = {fenetreVide, QStringLiteral("--mesurer-demarrage"), QStringLiteral("--texte")};
  const QStringList filmorel = {programme, QStringLiteral("--mesurer-demarrage")};
  const QByteArray ici = dossier.toLocal8Bit();
  std::vector<double> tVide, tTexte, tFilmorel;
  long memoire = 0;
  lancer(vide, ici); // warms the disk cache and the picture cache alike
  lancer(texte, ici);
  lancer(filmorel, ici);
  for (int i = 0; i < runs; ++i) {
    const Lancement a = lancer(vide, ici), t = lancer(texte, ici), b = lancer(filmorel, ici);
    if (a.ms < 0 || t.ms < 0 || b.ms < 0) {
      std::fprintf(stderr, "a launch printed no first frame\n");
      return 1;
    }
    tVide.push_back(a.ms);
    tTexte.push_back(t.ms);
    tFilmorel.push_back(b.ms);
    memoire = std::max(memoire, b.memoire);
  }
  const double v = mediane(tVide), t = mediane(tTexte), f = mediane(tFilmorel);
  std::printf("fenetre Qt vide, lancement a premiere image: median %.1f ms (%d runs)\n", v, runs);
  std::printf("fenetre Qt avec menus et quatre textes aux polices de la fiche: median %.1f ms (%d runs)\n", t, runs);
  std::printf("Filmorel, lancement a premiere fiche peinte: median %.1f ms (%d runs)\n", f, runs);
  std::printf("demarrage / fenetre vide (meme display, alternes): %.2fx; fenetre avec texte / vide: %.2fx\n",
              v > 0 ? f / v : 0.0, v > 0 ? t / v : 0.0);
  std::printf("memoire maximale de Filmorel: %.1f Mo\n", double(memoire) / 1024);
  return 0;
}
