#include "reglages.h"
#include "cp1252.h"
#include "fiche.h"
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>

namespace {
const QString kLabels[4] = {
    QStringLiteral("Marge Haut Imprimante Default"), QStringLiteral("Marge Bas Imprimante Default"),
    QStringLiteral("Marge gauche Imprimante Default"), QStringLiteral("Marge droite Imprimante Default")};

// The two kinds of sequential read of the old settings reader. Lines end with
// CR LF or LF alone.
class Lecteur {
public:
  explicit Lecteur(QString texte) : m_t(std::move(texte)) {}

  // Up to the next comma or the end of the line, without surrounding
  // spaces; after a comma the next value read goes on from there.
  bool valeur(QString &v) {
    if (m_i >= m_t.size())
      return false;
    qsizetype j = m_i;
    while (j < m_t.size() && m_t[j] != u',' && m_t[j] != u'\n')
      ++j;
    QString brut = m_t.mid(m_i, j - m_i);
    if (brut.endsWith(u'\r'))
      brut.chop(1);
    v = sansEspaces(brut);
    m_i = j < m_t.size() ? j + 1 : j;
    return true;
  }

  bool ligne(QString &l) {
    if (m_i >= m_t.size())
      return false;
    qsizetype j = m_t.indexOf(u'\n', m_i);
    if (j < 0)
      j = m_t.size();
    l = m_t.mid(m_i, j - m_i);
    if (l.endsWith(u'\r'))
      l.chop(1);
    m_i = j < m_t.size() ? j + 1 : j;
    return true;
  }

private:
  QString m_t;
  qsizetype m_i = 0;
};

// `v` as an optional sign then ASCII digits: the sign (null if none) and
// the digits. Read by hand: a pattern compiled at every start-up costs more
// than the whole file.
bool entier(QStringView v, QChar &signe, QStringView &chiffres) {
  signe = QChar();
  if (!v.isEmpty() && (v[0] == u'+' || v[0] == u'-')) {
    signe = v[0];
    v = v.mid(1);
  }
  chiffres = v;
  return !v.isEmpty() && std::all_of(v.begin(), v.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// The count as the old reader took it, kept within the catalogue's capacity:
// anything but an integer reads as 0, a negative count as 0, and a count
// above 2000 as 2000 (the cards beyond cannot be held anyway).
int compte(const QString &v) {
  QChar signe;
  QStringView chiffres;
  if (!entier(v, signe, chiffres) || signe == u'-')
    return 0;
  while (chiffres.size() > 1 && chiffres[0] == u'0')
    chiffres = chiffres.mid(1);
  if (chiffres.size() > 4)
    return 2000;
  return std::min(chiffres.toInt(), 2000);
}

// Reads lines into `liste` until one that is blank; false at the end of file.
bool lireListe(Lecteur &lecteur, QStringList &liste) {
  QString l;
  while (lecteur.ligne(l)) {
    if (sansEspaces(l).isEmpty())
      return true;
    liste.append(l);
  }
  return false;
}

void lireTout(Lecteur &lecteur, Reglages &r) {
  QString v, ignore;
  const bool lu = lecteur.valeur(v);
  QChar signe;
  QStringView chiffres;
  r.compteLisible = lu && entier(v, signe, chiffres) && signe != u'-';
  if (!lu)
    return;
  r.nbFiches = compte(v);
  for (QString *marge : {&r.margeHaut, &r.margeBas, &r.margeGauche, &r.margeDroite}) {
    if (!lecteur.valeur(ignore) || !lecteur.valeur(ignore) || !lecteur.valeur(*marge))
      return;
  }
  if (!lecteur.valeur(ignore))
    return;
  for (QStringList *liste : {&r.genres, &r.editeurs, &r.sons, &r.acheteurs})
    if (!lireListe(lecteur, *liste))
      return;
  QString l;
  while (lecteur.ligne(l))
    r.noms.append(l); // blank borrowers included, up to the end
}

QByteArray ligne(const QString &texte) { return cp1252::encode(texte) + "\r\n"; }

// Whatever a margin holds, it must stay one value on one line for the reader.
QString margeEcrite(QString marge) {
  marge.replace(u',', u'.');
  marge.remove(u'\r');
  marge.remove(u'\n');
  return marge;
}

QString itemEcrit(QString item) {
  item.replace(u'\n', u' ');
  return item;
}
} // namespace

namespace reglages {

Lecture lire(const QString &cheminIni, Reglages &r) {
  QFile f(cheminIni);
  if (!f.open(QIODevice::ReadOnly))
    return Lecture::Absent;
  Lecteur lecteur(cp1252::decode(f.readAll()));
  Reglages lu;
  lireTout(lecteur, lu);
  r = std::move(lu);
  return Lecture::Lu;
}

QByteArray octets(const Reglages &r) {
  QByteArray octets = ligne(QString::number(r.nbFiches)) + "\r\n";
  const QString *marges[4] = {&r.margeHaut, &r.margeBas, &r.margeGauche, &r.margeDroite};
  for (int i = 0; i < 4; ++i)
    octets += ligne(kLabels[i]) + ligne(margeEcrite(*marges[i])) + "\r\n";
  for (const QStringList *liste : {&r.genres, &r.editeurs, &r.sons, &r.acheteurs}) {
    for (const QString &item : *liste)
      if (!sansEspaces(item).isEmpty()) // a blank item would end its list when read back
        octets += ligne(itemEcrit(item));
    octets += "\r\n";
  }
  for (const QString &nom : r.noms)
    octets += ligne(itemEcrit(nom));
  return octets;
}

bool sauver(const QString &cheminIni, const Reglages &r) {
  // Unbuffered: a write that fails is seen here, not lost inside commit().
  const QByteArray contenu = octets(r);
  QSaveFile f(cheminIni);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
    return false;
  if (f.write(contenu) != contenu.size()) {
    f.cancelWriting();
    f.commit();
    return false;
  }
  return f.commit();
}

bool margeValide(const QString &marge) {
  static const QRegularExpression nombre(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
  return nombre.match(marge).hasMatch();
}

} // namespace reglages
