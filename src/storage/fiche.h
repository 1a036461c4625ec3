#pragma once
#include <QByteArray>
#include <QString>
#include <array>

// The 23 fields of a catalogue card, in record order.
enum class Champ {
  ean, titre, zone, annee, duree, face, langue, genre, soustitre, editeur,
  realisateur, bonus, achat, dateachat, format, couleur, son, acteurs, resumer,
  preter, datepret, nom, jacket
};

struct DefChamp {
  const char *nom;
  int largeur;
  int offset;
};

// The one table of field names, widths and byte offsets of a dvd.lst record.
extern const std::array<DefChamp, 23> kChamps;

inline const DefChamp &defChamp(Champ c) { return kChamps[static_cast<int>(c)]; }
inline int largeur(Champ c) { return defChamp(c).largeur; }

// Pads with blanks or cuts to the width.
QString ajuster(const QString &texte, int largeur);
// Removes trailing blanks only (how a field is shown).
QString sansBlancsFinaux(const QString &texte);
// Removes leading and trailing spaces, and nothing else: a line break or a
// tab is part of the text.
QString sansEspaces(const QString &texte);

// One catalogue card: every field always holds exactly its width in
// characters. A fresh card holds NUL characters.
class Fiche {
public:
  static constexpr int Taille = 1017;

  Fiche();
  QString get(Champ c) const;
  // A character that Windows-1252 cannot hold is stored as '?', as the
  // record file will hold it.
  void set(Champ c, const QString &texte);
  // True while no field was ever given a value (the NUL buffer).
  bool vierge() const;

  QByteArray versOctets() const { return m_octets; } // 1017 bytes, CP1252
  static Fiche depuisOctets(const QByteArray &);      // expects 1017 bytes

  bool operator==(const Fiche &) const = default;

private:
  // The record's bytes as the file holds them: reading a card is one copy,
  // and a walk over the catalogue decodes only the fields it looks at.
  QByteArray m_octets;
};
