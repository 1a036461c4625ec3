#include "entreeindex.h"
#include "cp1252.h"

QString EntreeIndex::cleDe(const Fiche &f) {
  return f.get(Champ::ean) + f.get(Champ::titre) + f.get(Champ::dateachat);
}

QByteArray EntreeIndex::versOctets() const {
  // A key of the wrong length would shift the record number.
  QByteArray octets = cp1252::encode(ajuster(cle, TailleCle));
  const auto n = static_cast<quint16>(numero);
  octets.append(static_cast<char>(n & 0xFF));
  octets.append(static_cast<char>(n >> 8));
  return octets;
}

EntreeIndex EntreeIndex::depuisOctets(const QByteArray &octets) {
  if (octets.size() < Taille) {
    QByteArray plein = octets;
    plein.append(Taille - plein.size(), '\0');
    return depuisOctets(plein);
  }
  EntreeIndex e;
  e.cle = cp1252::decode(octets.constData(), TailleCle);
  e.numero = numeroDe(octets.constData());
  return e;
}

qint16 EntreeIndex::numeroDe(const char *entree) {
  const auto bas = static_cast<unsigned char>(entree[TailleCle]);
  const auto haut = static_cast<unsigned char>(entree[TailleCle + 1]);
  return static_cast<qint16>(static_cast<quint16>(bas | (haut << 8)));
}
