#include "fichiers.h"
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <QMutex>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// The entries of one folder by their case-folded names, listed once: showing
// a card looks up its cover and history file, and listing a folder of
// thousands of covers for each card would cost more than the rest of it.
// A listing is kept while the folder's modification time stays the same;
// one taken less than two seconds after that time is used once only,
// because a file created within the same tick of a coarse clock (FAT keeps
// two seconds) leaves the time unchanged.
struct Listage {
  QDateTime modifie;
  bool sur = false;
  QHash<QString, QString> noms;
};

// Name of an entry of `base` equal to `nom` ignoring case; empty if none.
QString entreeSansCasse(const QString &base, const QString &nom) {
  static QMutex verrou;
  static QHash<QString, Listage> listages;
  const QDateTime modifie = QFileInfo(base).lastModified();
  QMutexLocker garde(&verrou);
  Listage &l = listages[base];
  if (!l.sur || !modifie.isValid() || l.modifie != modifie) {
    l.modifie = modifie;
    l.sur = modifie.isValid() && modifie.msecsTo(QDateTime::currentDateTime()) >= 2000;
    l.noms.clear();
    const QStringList noms = QDir(base).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    // The first in name order wins when several differ only in case.
    for (auto n = noms.crbegin(); n != noms.crend(); ++n)
      l.noms.insert(n->toCaseFolded(), *n);
  }
  return l.noms.value(nom.toCaseFolded());
}

const QString kLst = QStringLiteral("dvd.lst");
const QString kIdx = QStringLiteral("dvd.idx");
QString cheminLst(const QString &dossier) { return cheminDans(dossier, kLst); }
QString cheminIdx(const QString &dossier) { return cheminDans(dossier, kIdx); }

bool numeroValide(int n) { return n >= 1 && n <= fichiers::MaxFiches; }

void creer(const QString &chemin) {
  QFile f(chemin);
  if (!f.exists() && f.open(QIODevice::ReadWrite))
    f.close();
}

// An index entry read for its record number alone.
struct Numero {
  static constexpr int Taille = EntreeIndex::Taille;
  qint16 numero;
  static Numero depuisOctets(const QByteArray &o) { return {EntreeIndex::numeroDe(o.constData())}; }
};

// Records premier..premier+nombre-1 of `nom`, all of them or nothing. Walks
// read every record, so the exact name is tried before any lookup; a long
// run is read in blocks through one small buffer.
template <class T>
bool lireRecords(const QString &dossier, const QString &nom, int premier, int nombre, QList<T> &out) {
  if (!numeroValide(premier) || nombre < 1 || nombre > fichiers::MaxFiches - premier + 1)
    return false;
  QFile f(QDir(dossier).filePath(nom));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
    f.setFileName(cheminDans(dossier, nom));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
      // The old program's random-access open created a missing file; so do we.
      creer(f.fileName());
      return false;
    }
  }
  if (!f.seek(qint64(premier - 1) * T::Taille))
    return false;
  const int parBloc = std::max(1, 65536 / T::Taille);
  QByteArray bloc(qsizetype(std::min(nombre, parBloc)) * T::Taille, Qt::Uninitialized);
  QList<T> lus;
  lus.reserve(nombre);
  for (int reste = nombre; reste > 0;) {
    const int n = std::min(reste, parBloc);
    const qint64 longueur = qint64(n) * T::Taille;
    if (f.read(bloc.data(), longueur) != longueur) // beyond the end of the file
      return false;
    for (int i = 0; i < n; ++i)
      lus.append(T::depuisOctets(QByteArray::fromRawData(bloc.constData() + i * T::Taille, T::Taille)));
    reste -= n;
  }
  out = std::move(lus);
  return true;
}

bool ecrireRecord(const QString &chemin, int taille, int numero, const QByteArray &octets) {
  if (!numeroValide(numero) || octets.size() != taille)
    return false;
  QFile f(chemin);
  if (!f.open(QIODevice::ReadWrite)) // creates, never truncates
    return false;
  const qint64 pos = qint64(numero - 1) * taille;
  // Seeking past the end leaves the gap undefined on some systems: fill it.
  if (const qint64 manque = pos - f.size(); manque > 0) {
    if (!f.seek(f.size()) || f.write(QByteArray(manque, '\0')) != manque)
      return false;
  }
  if (!f.seek(pos) || f.write(octets) != taille)
    return false;
  return f.flush();
}
} // namespace

QString cheminDans(const QString &dossier, const QString &nom) {
  const QString exact = QDir(dossier).filePath(nom);
  if (QFileInfo::exists(exact))
    return exact;
  const QStringList parties = nom.split(u'/', Qt::SkipEmptyParts);
  QString base = dossier;
  for (qsizetype i = 0; i < parties.size(); ++i) {
    QString suivant = QDir(base).filePath(parties[i]);
    if (!QFileInfo::exists(suivant)) {
      const QString trouve = entreeSansCasse(base, parties[i]);
      if (trouve.isEmpty()) // nothing matches: the exact name, so a write creates it
        return QDir(base).filePath(parties.mid(i).join(u'/'));
      suivant = QDir(base).filePath(trouve);
    }
    base = suivant;
  }
  return base;
}

void listerAvance(const QString &dossier, const QString &sous) {
  // The same path as cheminDans() builds for the names inside it.
  entreeSansCasse(cheminDans(dossier, sous), QString());
}

namespace fichiers {

bool lireFiche(const QString &dossier, int numero, Fiche &fiche) {
  QList<Fiche> lue;
  if (!lireRecords(dossier, kLst, numero, 1, lue))
    return false;
  fiche = lue.first();
  return true;
}

bool lireFiches(const QString &dossier, int premier, int nombre, QList<Fiche> &fiches) {
  return lireRecords(dossier, kLst, premier, nombre, fiches);
}

bool ecrireFiche(const QString &dossier, int numero, const Fiche &fiche) {
  return ecrireRecord(cheminLst(dossier), Fiche::Taille, numero, fiche.versOctets());
}

bool lireEntree(const QString &dossier, int position, EntreeIndex &entree) {
  QList<EntreeIndex> lue;
  if (!lireRecords(dossier, kIdx, position, 1, lue))
    return false;
  entree = lue.first();
  return true;
}

bool lireEntrees(const QString &dossier, int premiere, int nombre, QList<EntreeIndex> &entrees) {
  return lireRecords(dossier, kIdx, premiere, nombre, entrees);
}

bool lireNumeros(const QString &dossier, int premiere, int nombre, QList<qint16> &numeros) {
  QList<Numero> lus;
  if (!lireRecords(dossier, kIdx, premiere, nombre, lus))
    return false;
  numeros.resize(lus.size());
  std::transform(lus.cbegin(), lus.cend(), numeros.begin(), [](const Numero &n) { return n.numero; });
  return true;
}

bool ecrireEntree(const QString &dossier, int position, const EntreeIndex &entree) {
  return ecrireRecord(cheminIdx(dossier), EntreeIndex::Taille, position, entree.versOctets());
}

int nbFichesSurDisque(const QString &dossier) {
  return int(QFileInfo(cheminLst(dossier)).size() / Fiche::Taille);
}

int nbEntreesSurDisque(const QString &dossier) {
  return int(QFileInfo(cheminIdx(dossier)).size() / EntreeIndex::Taille);
}

void creerSiAbsents(const QString &dossier) {
  creer(cheminLst(dossier));
  creer(cheminIdx(dossier));
}

void garderMemoireDesParcours() {
#ifdef __GLIBC__
  // Fixed thresholds (they also stop glibc from moving them): buffers of a
  // few MB come from the heap too, and up to 32 MB free stays there.
  mallopt(M_MMAP_THRESHOLD, 8 << 20);
  mallopt(M_TRIM_THRESHOLD, 32 << 20);
#endif
}

} // namespace fichiers

bool fichiers::ecrirePositions(const QString &dossier, const QList<EntreeIndex> &entrees,
                               const QList<int> &positions) {
  if (positions.isEmpty())
    return true;
  QFile f(cheminDans(dossier, QStringLiteral("dvd.idx")));
  if (!f.open(QIODevice::ReadWrite))
    return false;
  for (qsizetype i = 0; i < positions.size();) {
    qsizetype j = i;
    QByteArray octets;
    do
      octets += entrees[positions[j]].versOctets();
    while (++j < positions.size() && positions[j] == positions[j - 1] + 1);
    if (!f.seek(qint64(positions[i]) * EntreeIndex::Taille) || f.write(octets) != octets.size())
      return false;
    i = j;
  }
  return f.flush();
}
