#include "storage/controles.h"

#include <QCollator>
#include <QDate>
#include <QRegularExpression>

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

int comparerListe(const QString &a, const QString &b) {
  static const QCollator francais = [] {
    QCollator c(QLocale(QLocale::French, QLocale::France));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return francais.compare(a, b);
}

} // namespace controles
