#include "search/parcours.h"

#include "storage/fichiers.h"

#include <algorithm>

namespace recherche {

bool titreContient(const EntreeIndex &e, const QString &texte) {
  return sansEspaces(e.titre()).toUpper().contains(sansEspaces(texte).toUpper());
}

bool commencePar(const EntreeIndex &e, const QString &lettre) {
  const QString premier = sansEspaces(e.titre().left(1)).toUpper();
  // An empty first character holds nothing, not even an empty text.
  return !premier.isEmpty() && premier.contains(sansEspaces(lettre).toUpper());
}

bool memeCodeBarre(const EntreeIndex &e, const QString &ean) {
  return sansEspaces(e.cle).left(13) == ean;
}

bool estPretee(const Fiche &f) { return f.get(Champ::preter) == QLatin1String("Oui"); }

QList<int> positions(int debut, int fin) {
  QList<int> l;
  for (int p = debut; p <= fin; ++p)
    l.append(p);
  return l;
}

QList<int> positionsApres(int courante, int nbFiches) {
  if (courante < 1 || courante > nbFiches)
    courante = nbFiches;
  QList<int> l;
  for (int i = 1; i <= nbFiches; ++i)
    l.append((courante - 1 + i) % nbFiches + 1);
  return l;
}

int parcourir(const QString &dossier, const QList<int> &liste, QList<EntreeIndex> &tabIndex,
              const std::function<bool(const EntreeIndex &)> &test, const Progression &progression) {
  QList<int> valides;
  for (int p : liste)
    if (p >= 1 && p < tabIndex.size())
      valides.append(p);
  if (valides.isEmpty())
    return 0;
  // One read of the entries the walk may need; entry by entry when the file
  // is shorter than the count says.
  const auto [mini, maxi] = std::minmax_element(valides.cbegin(), valides.cend());
  QList<EntreeIndex> lues;
  const bool enBloc = fichiers::lireEntrees(dossier, *mini, *maxi - *mini + 1, lues);
  for (int p : valides) {
    if (enBloc)
      tabIndex[p] = lues[p - *mini];
    else
      fichiers::lireEntree(dossier, p, tabIndex[p]);
    if (progression)
      progression(p);
    if (test(tabIndex[p]))
      return p;
  }
  return 0;
}

int titre(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex, const QString &texte,
          const Progression &progression) {
  return parcourir(dossier, positions(1, nbFiches), tabIndex,
                   [&texte](const EntreeIndex &e) { return titreContient(e, texte); }, progression);
}

int codeBarre(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex, const QString &ean,
              const Progression &progression) {
  return parcourir(dossier, positions(1, nbFiches), tabIndex,
                   [&ean](const EntreeIndex &e) { return memeCodeBarre(e, ean); }, progression);
}

int lettre(const QString &dossier, int nbFiches, int courante, QList<EntreeIndex> &tabIndex,
           const QString &texte, const Progression &progression) {
  return parcourir(dossier, positionsApres(courante, nbFiches), tabIndex,
                   [&texte](const EntreeIndex &e) { return commencePar(e, texte); }, progression);
}

int pret(const QString &dossier, int nbFiches, int courante, QList<EntreeIndex> &tabIndex) {
  // A lent card is usually near: the first cards are read one at a time;
  // past that, the whole file in one read costs less than many opens. The
  // second pass reads no card again.
  constexpr int kLecturesSeules = 64;
  enum : char { Inconnu, Prete, Libre };
  QList<char> etat(nbFiches + 1, Inconnu);
  int lectures = 0;
  auto prete = [&](const EntreeIndex &e) {
    // An entry pointing outside the live records is no card.
    if (e.numero < 1 || e.numero > nbFiches)
      return false;
    char &s = etat[e.numero];
    if (s == Inconnu && ++lectures == kLecturesSeules) {
      QList<Fiche> fiches;
      if (fichiers::lireFiches(dossier, 1, nbFiches, fiches))
        for (int n = 1; n <= nbFiches; ++n)
          etat[n] = estPretee(fiches[n - 1]) ? Prete : Libre;
    }
    if (s == Inconnu) {
      Fiche f;
      s = fichiers::lireFiche(dossier, e.numero, f) && estPretee(f) ? Prete : Libre;
    }
    return s == Prete;
  };
  if (const int p = parcourir(dossier, positions(courante + 1, nbFiches), tabIndex, prete))
    return p;
  return parcourir(dossier, positions(1, nbFiches), tabIndex, prete);
}

} // namespace recherche
