// The writer's commands on the generated catalogue: what a command costs
// with its journal and syncs.
#include "catalogue/ecrivain.h"
#include "mesure.h"
#include "storage/fichiers.h"
#include "storage/reglages.h"
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

  // Each command as the window runs it: the writer, journal and syncs
  // included, on the state read from the files.
  const QString ini = QDir(dossier).filePath(QStringLiteral("dvd.ini"));
  const QByteArray iniOrigine = lireTout(cheminDans(dossierCatalogue, QStringLiteral("dvd.ini")));
  QDir(dossier).mkpath(QStringLiteral("historique"));
  Variables v;
  auto remettreTout = [&] {
    remettre();
    ecrireTout(ini, iniOrigine);
    v.cheminAppli = dossier + u'/';
    v.nbFiches = n;
    std::copy(entrees.cbegin(), entrees.cend(), v.tabIndex.begin() + 1);
  };
  auto surLaFiche = [&](int position) {
    v.posCourante = position;
    fichiers::lireFiche(dossier, entrees[position - 1].numero, v.ficheCourante);
  };
  catalogue::Ecrivain ecrivain(v);
  const int runs = 21;
  auto commande = [&](const char *nom, const std::function<void()> &fn) { mesurer(nom, runs, fn, remettreTout); };
  if (positionA > 0)
    commande("supprimer la fiche du dernier enregistrement", [&] {
      surLaFiche(positionA);
      ecrivain.supprimer(positionA, r);
    });
  commande("supprimer une fiche au milieu (dernier enregistrement deplace)", [&] {
    surLaFiche(positionB);
    ecrivain.supprimer(positionB, r);
  });
  commande("enregistrer une fiche sans changer son titre", [&] {
    surLaFiche(positionB);
    ecrivain.enregistrer(v.ficheCourante, false, false, r);
  });
  commande("enregistrer une fiche dont le titre change (reclassement compris)", [&] {
    surLaFiche(positionB);
    Fiche f = v.ficheCourante;
    f.set(Champ::titre, QStringLiteral("A tout premier titre"));
    ecrivain.enregistrer(f, false, true, r);
  });
  commande("nouvelle fiche (reclassement compris)", [&] {
    v.nbFiches = n - 1; // room for one more in a full catalogue
    Fiche f = v.ficheCourante;
    f.set(Champ::titre, QStringLiteral("Nouvelle"));
    ecrivain.enregistrer(f, true, true, r);
  });
  commande("retour d'un pret (historique compris)", [&] {
    surLaFiche(positionB);
    ecrivain.reintegrer(v.ficheCourante, {QStringLiteral("Martin"), QStringLiteral("01/01/2020"),
                                          QStringLiteral("02/01/2020")}, r);
  });
  commande("ajouter un genre a la liste (dvd.ini)", [&] { ecrivain.sauverReglages(r); });
}
