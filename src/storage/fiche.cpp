#include "fiche.h"
#include "cp1252.h"

namespace {
constexpr std::array<DefChamp, 23> kTable = {{
    {"ean", 13, 0},          {"titre", 100, 13},       {"zone", 6, 113},
    {"annee", 4, 119},       {"duree", 3, 123},        {"face", 1, 126},
    {"langue", 9, 127},      {"genre", 12, 136},       {"soustitre", 9, 148},
    {"editeur", 26, 157},    {"realisateur", 30, 183}, {"bonus", 3, 213},
    {"achat", 9, 216},       {"dateachat", 10, 225},   {"format", 11, 235},
    {"couleur", 3, 246},     {"son", 30, 249},         {"acteurs", 95, 279},
    {"resumer", 580, 374},   {"preter", 3, 954},       {"datepret", 10, 957},
    {"nom", 30, 967},        {"jacket", 20, 997},
}};

constexpr bool contigu() {
  int fin = 0;
  for (const DefChamp &c : kTable) {
    if (c.offset != fin)
      return false;
    fin += c.largeur;
  }
  return fin == Fiche::Taille;
}
static_assert(contigu(), "fields must follow each other and fill the record");
} // namespace

const std::array<DefChamp, 23> kChamps = kTable;

QString ajuster(const QString &texte, int largeur) {
  if (texte.size() >= largeur)
    return texte.left(largeur);
  return texte + QString(largeur - texte.size(), u' ');
}

QString sansBlancsFinaux(const QString &texte) {
  qsizetype n = texte.size();
  while (n > 0 && texte[n - 1] == u' ')
    --n;
  return texte.left(n);
}

QString sansEspaces(const QString &texte) {
  qsizetype debut = 0, fin = texte.size();
  while (debut < fin && texte[debut] == u' ')
    ++debut;
  while (fin > debut && texte[fin - 1] == u' ')
    --fin;
  return texte.mid(debut, fin - debut);
}

// Fresh cards share one NUL record until a field is set.
Fiche::Fiche() {
  static const QByteArray vierge(Taille, '\0');
  m_octets = vierge;
}

QString Fiche::get(Champ c) const {
  return cp1252::decode(m_octets.constData() + defChamp(c).offset, largeur(c));
}

void Fiche::set(Champ c, const QString &texte) {
  m_octets.replace(defChamp(c).offset, largeur(c), cp1252::encode(ajuster(texte, largeur(c))));
}

bool Fiche::vierge() const { return m_octets.count('\0') == Taille; }

// A short buffer (a record cut by the end of the file) leaves NULs where
// bytes are missing, as a fresh card would hold.
Fiche Fiche::depuisOctets(const QByteArray &octets) {
  Fiche f;
  if (octets.size() >= Taille)
    f.m_octets = QByteArray(octets.constData(), Taille);
  else
    f.m_octets.replace(0, octets.size(), octets);
  return f;
}
