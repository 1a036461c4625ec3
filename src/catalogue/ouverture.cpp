#include "catalogue/ouverture.h"
#include "storage/fichiers.h"

#include <QFileInfo>
#include <QSet>
#include <vector>

namespace catalogue {

QString lectureSeule(const QString &dossier, const Ecrivable &ecrivable) {
  auto peutEcrire = [&](const QString &chemin) {
    return ecrivable ? ecrivable(chemin) : QFileInfo(chemin).isWritable();
  };
  if (!peutEcrire(dossier))
    return QStringLiteral("le dossier des données n'est pas accessible en écriture :\r%1").arg(dossier);
  for (const char *nom : {"dvd.lst", "dvd.idx", "dvd.ini"}) {
    const QString chemin = cheminDans(dossier, QString::fromLatin1(nom));
    if (QFileInfo::exists(chemin) && !peutEcrire(chemin))
      return QStringLiteral("le fichier %1 n'est pas accessible en écriture.").arg(chemin);
  }
  return {};
}

QString indexDouteux(const QString &dossier, const Reglages &r) {
  const int fiches = fichiers::nbFichesSurDisque(dossier);
  const int entrees = fichiers::nbEntreesSurDisque(dossier);
  if (!r.compteLisible && fiches > 0)
    return QStringLiteral("Le nombre de fiches du fichier dvd.ini est illisible alors que dvd.lst contient %1 "
                          "fiche(s).")
        .arg(fiches);
  if (r.nbFiches > fiches || r.nbFiches > entrees)
    return QStringLiteral("Le fichier dvd.ini annonce %1 fiches mais dvd.lst n'en contient que %2 et dvd.idx %3.")
        .arg(r.nbFiches)
        .arg(fiches)
        .arg(entrees);
  QList<qint16> live;
  if (r.nbFiches > 0 && !fichiers::lireNumeros(dossier, 1, r.nbFiches, live))
    return QStringLiteral("L'index du catalogue (dvd.idx) ne peut pas être lu.");
  std::vector<bool> vus(r.nbFiches + 1);
  for (int p = 1; p <= live.size(); ++p) {
    const int n = live[p - 1];
    if (n < 1 || n > r.nbFiches || vus[n])
      return QStringLiteral("L'entrée %1 de l'index (dvd.idx) désigne la fiche %2, qui est hors du catalogue ou "
                            "déjà désignée par une autre entrée.")
          .arg(p)
          .arg(n);
    vus[n] = true;
  }
  return {};
}

QList<EntreeIndex> indexRepare(const QString &dossier) {
  const int fiches = fichiers::nbFichesSurDisque(dossier);
  const int n = qMin(fichiers::nbEntreesSurDisque(dossier), fichiers::MaxFiches);
  QList<EntreeIndex> toutes;
  if (n > 0)
    fichiers::lireEntrees(dossier, 1, n, toutes);
  QList<EntreeIndex> gardees;
  QSet<int> vus;
  for (const EntreeIndex &e : std::as_const(toutes))
    if (e.numero >= 1 && e.numero <= fiches && !vus.contains(e.numero) &&
        !sansEspaces(e.titre()).startsWith(QLatin1String("ZZZZZZZZZZ"))) {
      vus.insert(e.numero);
      gardees.append(e);
    }
  // Only records 1..count are live: an entry on a record beyond the count
  // of those kept points to a stale copy. Dropping it lowers the count again.
  for (qsizetype avant = -1; avant != gardees.size();) {
    avant = gardees.size();
    gardees.removeIf([&](const EntreeIndex &e) { return e.numero > avant; });
  }
  return gardees;
}

} // namespace catalogue
