#include "historique.h"
#include "cp1252.h"
#include "fiche.h"
#include "fichiers.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// A line break inside a field would shift every later loan by a line.
QString surUneLigne(QString texte) {
  texte.replace(u'\r', u' ');
  texte.replace(u'\n', u' ');
  return texte;
}
} // namespace

namespace historique {

bool nommeUnFichier(const QString &ean) {
  const QString t = sansEspaces(ean);
  if (t == u'.' || t == QLatin1String(".."))
    return false;
  for (QChar c : ean)
    if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20)
      return false;
  return true;
}

QString chemin(const QString &dossier, const QString &ean13) {
  if (!nommeUnFichier(ean13))
    return {};
  // Padding blanks included: existing histories are named that way.
  return cheminDans(dossier, QStringLiteral("historique/") + ajuster(ean13, 13) +
                                 QStringLiteral(".hst"));
}

Lecture lire(const QString &chemin, QList<Pret> &prets) {
  prets.clear();
  if (!QFileInfo::exists(chemin)) // a missing historique/ folder included
    return Lecture::Absent;
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly))
    return Lecture::Erreur;
  QStringList lignes = cp1252::decode(f.readAll()).split(u'\n');
  if (lignes.last().isEmpty()) // the break after the last line
    lignes.removeLast();
  for (QString &l : lignes)
    if (l.endsWith(u'\r'))
      l.chop(1);
  const qsizetype nb = lignes.size() / 3; // an unfinished group is dropped
  // Only the most recent loans fit; the writer keeps the same ones.
  for (qsizetype i = std::max<qsizetype>(0, nb - MaxPrets); i < nb; ++i)
    prets.append({lignes[3 * i], lignes[3 * i + 1], lignes[3 * i + 2]});
  return Lecture::Lu;
}

QByteArray octets(const QList<Pret> &prets) {
  // Beyond the capacity the oldest loans go: the recent ones are those the
  // user looks up (who has had this DVD lately).
  const qsizetype debut = std::max<qsizetype>(0, prets.size() - MaxPrets);
  QByteArray octets;
  for (qsizetype i = debut; i < prets.size(); ++i) {
    const Pret &p = prets[i];
    for (const QString *ligne : {&p.nom, &p.datePret, &p.dateRetour})
      octets += cp1252::encode(surUneLigne(*ligne)) + "\r\n";
  }
  return octets;
}

bool ecrire(const QString &chemin, const QList<Pret> &prets) {
  if (chemin.isEmpty() || !QFileInfo(QFileInfo(chemin).absolutePath()).isDir())
    return false;
  const QByteArray contenu = octets(prets);
  QSaveFile f(chemin);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return false;
  if (f.write(contenu) != contenu.size()) {
    f.cancelWriting();
    f.commit();
    return false;
  }
  return f.commit();
}

} // namespace historique
