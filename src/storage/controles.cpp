#include "storage/controles.h"
#include "storage/poidsfrancais.h"

#include <QCollator>
#include <QDate>
#include <QRegularExpression>
#include <QVarLengthArray>

#include <algorithm>
#include <iterator>

namespace {
using Elements = QVarLengthArray<uint16_t, 128>;

// The collation elements of a text, as ICU's French collator finds them;
// false when a character is missing from the table.
bool elementsDe(const QString &texte, Elements &v) {
  using namespace poidsfrancais;
  for (qsizetype i = 0; i < texte.size(); ++i) {
    const char16_t u = texte[i].unicode();
    qsizetype k = u;
    if (u == 0xB7 && i > 0 && (texte[i - 1] == u'l' || texte[i - 1] == u'L'))
      k = std::size(debut) - 2; // "l·" is one contraction
    else if (u > 0xFF) {
      const char16_t *p = std::find(std::begin(autres), std::end(autres), u);
      if (p == std::end(autres))
        return false;
      k = 0x100 + (p - autres);
    }
    v.append(elements + debut[k], debut[k + 1] - debut[k]);
  }
  return true;
}

// One level over the whole texts: the weights at `decalage`, zeros skipped.
int comparerNiveau(const Elements &a, const Elements &b, int decalage) {
  const auto poids = [decalage](uint16_t e) { return (e >> decalage) & 0xFF; };
  for (qsizetype i = 0, j = 0;; ++i, ++j) {
    while (i < a.size() && !poids(a[i]))
      ++i;
    while (j < b.size() && !poids(b[j]))
      ++j;
    if (i == a.size() || j == b.size())
      return int(i < a.size()) - int(j < b.size());
    if (poids(a[i]) != poids(b[j]))
      return poids(a[i]) < poids(b[j]) ? -1 : 1;
  }
}
} // namespace

namespace controles {

QString dateSaisie(QString texte) { return texte.replace(u'-', u'/').replace(u'.', u'/'); }

bool dateAcceptee(const QString &texte) {
  const QString t = sansEspaces(texte);
  if (t.isEmpty())
    return true;
  static const QRegularExpression forme(QStringLiteral("^\\d\\d/\\d\\d/\\d\\d\\d\\d$"));
  return forme.match(t).hasMatch() && QDate::fromString(t, QStringLiteral("dd/MM/yyyy")).isValid();
}

bool ean13Complet(const QString &texte) {
  static const QRegularExpression forme(QStringLiteral("^[0-9]{13}$"));
  return forme.match(texte).hasMatch();
}

bool cleEan13Juste(const QString &texte) {
  if (!ean13Complet(texte))
    return false;
  int somme = 0;
  for (int k = 0; k < 12; ++k)
    somme += texte[k].digitValue() * (k % 2 ? 3 : 1);
  return texte[12].digitValue() == (10 - somme % 10) % 10;
}

QString aLargeur(Champ c, const QString &texte) { return texte.left(largeur(c)); }

// Primaries over the whole texts, then secondaries: case is ignored, accents
// decide ties. The table spares the ICU collator (about 2 MB resident) for
// every text that Windows-1252 can hold; other texts still go to QCollator.
int comparerListe(const QString &a, const QString &b) {
  // QCollator puts an empty text first, even before an ignorable one.
  if (a.isEmpty() || b.isEmpty())
    return int(!a.isEmpty()) - int(!b.isEmpty());
  Elements ea, eb;
  if (elementsDe(a, ea) && elementsDe(b, eb)) {
    const int primaire = comparerNiveau(ea, eb, 8);
    return primaire ? primaire : comparerNiveau(ea, eb, 0);
  }
  static const QCollator francais = [] {
    QCollator c(QLocale(QLocale::French, QLocale::France));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return francais.compare(a, b);
}

} // namespace controles
