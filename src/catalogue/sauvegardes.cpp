#include "catalogue/sauvegardes.h"

#include "storage/fichiers.h"
#include "storage/reglages.h"

#include <QDir>
#include <sys/stat.h>

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

// The files a backup holds, by their names in the data folder.
QStringList aCopier(const QString &dossier) {
  QStringList fichiers = {QStringLiteral("dvd.lst"), QStringLiteral("dvd.idx"), QStringLiteral("dvd.ini")};
  for (const QString &f : QDir(cheminDans(dossier, QStringLiteral("historique"))).entryList(QDir::Files | QDir::Hidden))
    fichiers.append(QStringLiteral("historique/") + f);
  return fichiers;
}

// Copies them into `partielle` (made, emptied first).
bool copierDans(const QString &dossier, const QStringList &fichiers, const QString &partielle) {
  QDir(partielle).removeRecursively();
  bool ok = QDir().mkpath(QDir(partielle).filePath(QStringLiteral("historique")));
  for (const QString &f : fichiers)
    ok = ok && copier(cheminDans(dossier, f), QDir(partielle).filePath(f));
  return ok;
}

QString nomLibre(const QDir &racine, const QDateTime &quand) {
  QString nom = quand.toString(kFormat);
  for (int n = 2; racine.exists(nom); ++n)
    nom = quand.toString(kFormat) + QStringLiteral("_%1").arg(n);
  return nom;
}

// Gives the complete copy `partielle` its dated name, then removes the
// oldest backups beyond `gardees`.
QString publier(const QDir &racine, const QString &partielle, const QString &nom, int gardees) {
  if (!QDir().rename(partielle, racine.filePath(nom))) {
    QDir(partielle).removeRecursively();
    return {};
  }
  const QStringList toutes = noms(racine.path());
  for (qsizetype i = 0; i + qMax(1, gardees) < toutes.size(); ++i)
    QDir(racine.filePath(toutes[i])).removeRecursively();
  return racine.filePath(nom);
}

// Inode, size and change times of each file a backup holds: a copy made
// earlier is still right while none of them moved. The change time cannot
// be set back by a program that copies modification times.
QByteArray empreinte(const QString &dossier, const QStringList &fichiers) {
  QByteArray e;
  for (const QString &nom : fichiers) {
    struct stat s {};
    e += nom.toUtf8();
    if (::stat(QFile::encodeName(cheminDans(dossier, nom)).constData(), &s) == 0)
      for (const qint64 n : {qint64(s.st_ino), qint64(s.st_size), qint64(s.st_mtim.tv_sec), qint64(s.st_mtim.tv_nsec),
                             qint64(s.st_ctim.tv_sec), qint64(s.st_ctim.tv_nsec)})
        e += ' ' + QByteArray::number(n);
    e += '\n';
  }
  return e;
}
} // namespace

QString sauvegarder(const QString &dossier, int gardees, const QDateTime &quand) {
  const QDir racine(QDir(dossier).filePath(kSauvegardes));
  const QString nom = nomLibre(racine, quand);
  // Made under a temporary name: a backup cut short is never listed.
  const QString partielle = racine.filePath(QStringLiteral(".") + nom);
  if (!copierDans(dossier, aCopier(dossier), partielle)) {
    QDir(partielle).removeRecursively();
    return {};
  }
  return publier(racine, partielle, nom, gardees);
}

void SauvegardeEnAvance::commencer(const QString &dossier) {
  abandonner();
  m_dossier = dossier;
  m_copie = QDir(dossier).filePath(kSauvegardes + QStringLiteral("/.en-avance"));
  m_fil = std::thread([this] {
    const QStringList noms = aCopier(m_dossier);
    m_empreinte = empreinte(m_dossier, noms);
    m_faite = copierDans(m_dossier, noms, m_copie);
  });
}

QString SauvegardeEnAvance::publier(int gardees, const QDateTime &quand) {
  if (!m_fil.joinable())
    return {};
  m_fil.join();
  const QDir racine(QDir(m_dossier).filePath(kSauvegardes));
  // Changed since by another program: the copy is not the files any more.
  if (!m_faite || empreinte(m_dossier, aCopier(m_dossier)) != m_empreinte) {
    QDir(m_copie).removeRecursively();
    return {};
  }
  return catalogue::publier(racine, m_copie, nomLibre(racine, quand), gardees);
}

void SauvegardeEnAvance::abandonner() {
  if (!m_fil.joinable())
    return;
  m_fil.join();
  QDir(m_copie).removeRecursively();
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
