#include "catalogue/sauvegardes.h"

#include "storage/fichiers.h"
#include "storage/reglages.h"

#include <QDir>
#include <QFileInfo>

namespace catalogue {

namespace {
const QString kFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");

// Backup folders, oldest first (the names sort by date).
QStringList noms(const QString &racine) {
  QStringList liste;
  for (const QString &nom : QDir(racine).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    if (QDateTime::fromString(nom.left(kFormat.size()), kFormat).isValid())
      liste.append(nom);
  return liste;
}

// Plain read and write: QFile::copy's temporary file and rename cost more
// than the copy itself, a few milliseconds a history file.
bool copier(const QString &source, const QString &cible) {
  QFile entree(source);
  if (!entree.exists())
    return true;
  QFile sortie(cible);
  if (!entree.open(QIODevice::ReadOnly) || !sortie.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return false;
  const QByteArray octets = entree.readAll();
  return entree.error() == QFileDevice::NoError && sortie.write(octets) == octets.size();
}
} // namespace

QString sauvegarder(const QString &dossier, int gardees, const QDateTime &quand) {
  const QDir racine(QDir(dossier).filePath(kSauvegardes));
  QString nom = quand.toString(kFormat);
  for (int n = 2; racine.exists(nom); ++n)
    nom = quand.toString(kFormat) + QStringLiteral("_%1").arg(n);
  // Made under a temporary name: a backup cut short is never listed.
  const QString partielle = racine.filePath(QStringLiteral(".") + nom);
  QDir(partielle).removeRecursively();
  bool ok = QDir().mkpath(QDir(partielle).filePath(QStringLiteral("historique")));
  for (const QString &f : {QStringLiteral("dvd.lst"), QStringLiteral("dvd.idx"), QStringLiteral("dvd.ini")})
    ok = ok && copier(cheminDans(dossier, f), QDir(partielle).filePath(f));
  const QDir historique(cheminDans(dossier, QStringLiteral("historique")));
  for (const QString &f : historique.entryList(QDir::Files | QDir::Hidden))
    ok = ok && copier(historique.filePath(f), QDir(partielle).filePath(QStringLiteral("historique/") + f));
  if (!ok || !QDir().rename(partielle, racine.filePath(nom))) {
    QDir(partielle).removeRecursively();
    return {};
  }
  const QStringList toutes = noms(racine.path());
  for (qsizetype i = 0; i + qMax(1, gardees) < toutes.size(); ++i)
    QDir(racine.filePath(toutes[i])).removeRecursively();
  return racine.filePath(nom);
}

QList<Sauvegarde> sauvegardes(const QString &dossier) {
  const QDir racine(QDir(dossier).filePath(kSauvegardes));
  QList<Sauvegarde> liste;
  for (const QString &nom : noms(racine.path())) {
    Sauvegarde s{racine.filePath(nom), QDateTime::fromString(nom.left(kFormat.size()), kFormat)};
    Reglages r;
    if (reglages::lire(QDir(s.chemin).filePath(QStringLiteral("dvd.ini")), r) == reglages::Lecture::Lu)
      s.nbFiches = r.nbFiches;
    liste.prepend(s);
  }
  return liste;
}

} // namespace catalogue
