#include "variables.h"

// The arrays hold MaxHisto loans; beyond that the most recent ones are kept,
// as in the history file itself.
void Variables::chargerHistorique(const QList<Pret> &prets) {
  const qsizetype debut = std::max<qsizetype>(0, prets.size() - MaxHisto);
  nbHisto = int(prets.size() - debut);
  for (int i = 1; i <= nbHisto; ++i) {
    const Pret &p = prets[debut + i - 1];
    histNoms[i] = p.nom;
    histDatesPret[i] = p.datePret;
    histDatesRetour[i] = p.dateRetour;
  }
}

QList<Pret> Variables::historiqueCharge() const {
  QList<Pret> prets;
  const int n = std::clamp(nbHisto, 0, MaxHisto);
  prets.reserve(n);
  for (int i = 1; i <= n; ++i)
    prets.append({histNoms.value(i), histDatesPret.value(i), histDatesRetour.value(i)});
  return prets;
}
