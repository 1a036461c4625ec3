#include "catalogue/transaction.h"
#include "storage/fichiers.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace catalogue {

namespace {
const QByteArray kEntete = QByteArrayLiteral("FILMOREL-JOURNAL 1\n");
constexpr int kTailleSomme = 32; // SHA-256

bool ecrireA(QFile &f, qint64 position, const QByteArray &octets) {
  return f.seek(position) && f.write(octets) == octets.size();
}

// A name from a journal stays inside the data folder.
bool nomSur(const QString &nom) {
  return !nom.isEmpty() && !QDir::isAbsolutePath(nom) && !QDir::cleanPath(nom).startsWith(QLatin1String(".."));
}
} // namespace

// ---------------------------------------------------------------- Disque

bool Disque::ecrire(QFile &f, qint64 position, const QByteArray &octets) {
  const Panne p = panne ? panne(++m_rang) : Panne::Aucune;
  if (p == Panne::Aucune)
    return ecrireA(f, position, octets);
  // A torn write: what a full disk or a crash leaves.
  ecrireA(f, position, octets.left(octets.size() / 2));
  if (p == Panne::Arret)
    std::_Exit(86);
  return false;
}

bool Disque::synchroniserCompte(QFile &f) {
  const Panne p = panne ? panne(++m_rang) : Panne::Aucune;
  if (p == Panne::Arret)
    std::_Exit(86);
  return p == Panne::Aucune && synchroniser(f);
}

bool Disque::synchroniser(QFile &f) {
  if (!f.flush())
    return false;
#if defined(Q_OS_LINUX)
  return ::fdatasync(f.handle()) == 0; // the length is data; the dates need no sync
#elif defined(Q_OS_UNIX)
  return ::fsync(f.handle()) == 0;
#elif defined(Q_OS_WIN)
  return ::_commit(f.handle()) == 0;
#else
  return true;
#endif
}

void Disque::synchroniserDossier(const QString &dossier) {
#ifdef Q_OS_UNIX
  // A created or removed name is durable once its folder is synced.
  if (const int fd = ::open(QFile::encodeName(dossier).constData(), O_RDONLY); fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
#else
  Q_UNUSED(dossier);
#endif
}

// ---------------------------------------------------------------- Image

QByteArray Image::journal() const {
  QByteArray corps;
  {
    QDataStream s(&corps, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << quint32(fichiers.size());
    for (const Fichier &f : fichiers) {
      s << f.nom << f.taille << quint32(f.regions.size());
      for (const Region &r : f.regions)
        s << r.position << r.octets;
    }
  }
  corps.prepend(kEntete);
  return corps + QCryptographicHash::hash(corps, QCryptographicHash::Sha256);
}

bool Image::depuisJournal(const QByteArray &octets, Image &image) {
  if (octets.size() < kEntete.size() + kTailleSomme || !octets.startsWith(kEntete))
    return false;
  const QByteArray corps = octets.chopped(kTailleSomme);
  if (QCryptographicHash::hash(corps, QCryptographicHash::Sha256) != octets.right(kTailleSomme))
    return false;
  QDataStream s(corps.sliced(kEntete.size()));
  s.setVersion(QDataStream::Qt_6_0);
  Image lue;
  quint32 n = 0;
  s >> n;
  for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
    Fichier f;
    quint32 nr = 0;
    s >> f.nom >> f.taille >> nr;
    if (!nomSur(f.nom))
      return false;
    for (quint32 k = 0; k < nr && s.status() == QDataStream::Ok; ++k) {
      Region r;
      s >> r.position >> r.octets;
      f.regions.append(r);
    }
    lue.fichiers.append(f);
  }
  if (s.status() != QDataStream::Ok || !s.atEnd())
    return false;
  image = std::move(lue);
  return true;
}

bool Image::restaurer(const QString &dossier) const {
  bool ok = true;
  // Backwards: where places overlap, the oldest bytes are written last.
  for (auto f = fichiers.crbegin(); f != fichiers.crend(); ++f) {
    const QString chemin = QDir(dossier).filePath(f->nom);
    if (f->taille < 0) {
      if (QFileInfo::exists(chemin) && !QFile::remove(chemin))
        ok = false;
      continue;
    }
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
      ok = false;
      continue;
    }
    for (auto r = f->regions.crbegin(); r != f->regions.crend(); ++r)
      ok = ecrireA(fichier, r->position, r->octets) && ok;
    if (fichier.size() != f->taille)
      ok = fichier.resize(f->taille) && ok;
    ok = Disque::synchroniser(fichier) && ok;
  }
  Disque::synchroniserDossier(dossier);
  return ok;
}

// ---------------------------------------------------------------- Transaction

QString Transaction::chemin(const QString &nom) const { return QDir(m_dossier).filePath(nom); }

void Transaction::ecrire(const QString &nom, qint64 position, const QByteArray &octets) {
  m_changements.append({QDir(m_dossier).relativeFilePath(cheminDans(m_dossier, nom)), position, octets});
}

void Transaction::remplacer(const QString &nom, const QByteArray &octets) { ecrire(nom, -1, octets); }

void Transaction::retailler(const QString &nom, qint64 taille) {
  ecrire(nom, qMax<qint64>(0, taille), {});
  m_changements.last().taille = qMax<qint64>(-1, taille);
}

bool Transaction::valider() {
  m_avant = {};
  m_disque.nouvelleTransaction();
  // The before-image: per file, in the order first changed.
  for (const Changement &c : std::as_const(m_changements)) {
    auto it = std::find_if(m_avant.fichiers.begin(), m_avant.fichiers.end(),
                           [&](const Image::Fichier &f) { return f.nom == c.nom; });
    if (it == m_avant.fichiers.end()) {
      const QFileInfo info(chemin(c.nom));
      if (info.exists() && !info.isFile()) // a folder in a file's place: nothing to write back
        return false;
      m_avant.fichiers.append({c.nom, info.exists() ? info.size() : -1, {}});
      it = std::prev(m_avant.fichiers.end());
    }
    const qint64 debut = qMax<qint64>(0, c.position);
    const qint64 fin = c.position < 0 || c.taille != kGarder ? it->taille : c.position + c.octets.size();
    if (debut >= qMin(fin, it->taille))
      continue; // only new bytes after the end: the old length covers them
    QFile f(chemin(c.nom));
    if (!f.open(QIODevice::ReadOnly) || !f.seek(debut))
      return false;
    const QByteArray anciens = f.read(qMin(fin, it->taille) - debut);
    if (anciens.size() != qMin(fin, it->taille) - debut)
      return false;
    it->regions.append({debut, anciens});
  }

  const QString cheminJournal = chemin(kJournal);
  {
    QFile j(cheminJournal);
    const bool ecrit = j.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
                       m_disque.ecrire(j, 0, m_avant.journal()) && m_disque.synchroniserCompte(j);
    if (!ecrit) {
      j.remove();
      return false;
    }
  }
  Disque::synchroniserDossier(m_dossier);

  // A journal left behind would undo this command at the next start-up:
  // when it cannot go, the command does not stand either.
  // The removal needs no sync: a journal that comes back after a power cut
  // gives the files as they were before, which is whole too.
  if (appliquer() && QFile::remove(cheminJournal))
    return true;
  if (m_avant.restaurer(m_dossier))
    QFile::remove(cheminJournal);
  return false;
}

bool Transaction::appliquer() {
  for (const Image::Fichier &image : std::as_const(m_avant.fichiers)) {
    QFile f(chemin(image.nom));
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
      return false;
    bool supprime = false;
    for (const Changement &c : std::as_const(m_changements)) {
      if (c.nom != image.nom)
        continue;
      if (c.taille != kGarder) {
        supprime = c.taille < 0;
        if (!supprime && !f.resize(c.taille))
          return false;
      } else if (c.position < 0) {
        if (!m_disque.ecrire(f, 0, c.octets) || !f.resize(c.octets.size()))
          return false;
      } else if (const qint64 manque = c.position - f.size(); manque > 0) {
        // Records are never written past a hole: fill it with zeros.
        if (!m_disque.ecrire(f, f.size(), QByteArray(manque, '\0') + c.octets))
          return false;
      } else if (!m_disque.ecrire(f, c.position, c.octets)) {
        return false;
      }
    }
    if (supprime) {
      f.close();
      if (!f.remove())
        return false;
      Disque::synchroniserDossier(QFileInfo(f.fileName()).absolutePath());
    } else if (!m_disque.synchroniserCompte(f)) {
      return false;
    }
  }
  return true;
}

// ---------------------------------------------------------------- start-up

Reprise reprendre(const QString &dossier) {
  const QString chemin = QDir(dossier).filePath(kJournal);
  if (!QFileInfo::exists(chemin))
    return Reprise::Rien;
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly))
    return Reprise::Echec;
  Image image;
  const bool complet = Image::depuisJournal(f.readAll(), image);
  f.close();
  // A journal cut while it was written: no file was touched yet.
  if (complet && !image.restaurer(dossier))
    return Reprise::Echec;
  if (!QFile::remove(chemin))
    return Reprise::Echec;
  Disque::synchroniserDossier(dossier);
  return complet ? Reprise::Annulee : Reprise::Rien;
}

} // namespace catalogue
