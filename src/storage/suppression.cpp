#include "suppression.h"
#include "fichiers.h"
#include "reclassement.h"
#include <QFile>
#include <algorithm>

// The old program marked and re-pointed entries on disk one by one, then ran
// the neighbour-exchange sort on the file. The same changes are made here on
// the index read once into memory; the entries written are those the old
// steps wrote (the marked one, the re-pointed one, the ones the sort moves),
// so the file ends byte for byte the same.

namespace {
const QString kMarque = QStringLiteral("ZZZZZZZZZZ");

} // namespace

namespace suppression {

QString cleMarquee(const Fiche &f) {
  return ajuster(ajuster(f.get(Champ::ean), largeur(Champ::ean)) + kMarque +
                     ajuster(f.get(Champ::dateachat), largeur(Champ::dateachat)),
                 EntreeIndex::TailleCle);
}

Resultat preparer(const QString &dossier, int nbFiches, int position, const Fiche &fiche, Plan &plan,
                  const std::function<void(int)> &progression) {
  if (nbFiches < 1 || nbFiches > fichiers::MaxFiches || position < 1 || position > nbFiches)
    return Resultat::Rien;
  QList<EntreeIndex> entrees;
  if (!fichiers::lireEntrees(dossier, 1, nbFiches, entrees))
    return Resultat::EchecFichier;
  const int p = position - 1;
  const int r = entrees[p].numero;
  // Moving a record into a number outside the live range would write where
  // no card lives and lose the last one.
  if (r < 1 || r > nbFiches)
    return Resultat::IndexEndommage;

  QList<int> modifiees = {p};
  Fiche deplacee;
  if (r == nbFiches) {
    entrees[p].cle = cleMarquee(fiche);
  } else {
    if (!fichiers::lireFiche(dossier, nbFiches, deplacee))
      return Resultat::EchecFichier;
    entrees[p].cle = cleMarquee(deplacee);
    // An index with no entry on the last record is left as it is.
    for (int k = 0; k < nbFiches; ++k)
      if (entrees[k].numero == nbFiches) {
        entrees[k].numero = static_cast<qint16>(r);
        modifiees.append(k);
        break;
      }
  }

  QList<int> ecrites = reclassement::trier(entrees, progression);
  ecrites.append(modifiees);
  std::sort(ecrites.begin(), ecrites.end());
  ecrites.erase(std::unique(ecrites.begin(), ecrites.end()), ecrites.end());
  plan = {r == nbFiches ? 0 : r, deplacee, std::move(entrees), std::move(ecrites)};
  return Resultat::Faite;
}

} // namespace suppression
