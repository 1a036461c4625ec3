#include "catalogue/ecrivain.h"

#include "storage/fichiers.h"
#include "storage/reclassement.h"
#include "storage/suppression.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace catalogue {

namespace {
const QString kLst = QStringLiteral("dvd.lst");
const QString kIdx = QStringLiteral("dvd.idx");
const QString kVerifier = QStringLiteral("Vérifiez que le dossier des données est accessible en écriture.");

Resultat refus(const QString &message) { return {Resultat::Refuse, message}; }
Resultat echec(const QString &message) { return {Resultat::Echec, message}; }

void ecrireFiche(Transaction &t, int numero, const Fiche &f) {
  t.ecrire(kLst, qint64(numero - 1) * Fiche::Taille, f.versOctets());
}

// entrees[p] at 0-based position p for each of `positions` (ascending),
// consecutive ones as one region.
void ecrireEntrees(Transaction &t, const QList<EntreeIndex> &entrees, const QList<int> &positions) {
  for (qsizetype i = 0; i < positions.size();) {
    qsizetype j = i;
    QByteArray octets;
    do
      octets += entrees[positions[j]].versOctets();
    while (++j < positions.size() && positions[j] == positions[j - 1] + 1);
    t.ecrire(kIdx, qint64(positions[i]) * EntreeIndex::Taille, octets);
    i = j;
  }
}

// Sorts `entrees` and gives the positions to write: those the sort moved and
// `aussi` (0-based), ascending, once each.
QList<int> trierEntrees(QList<EntreeIndex> &entrees, QList<int> aussi, const Progression &p) {
  aussi.append(reclassement::trier(entrees, p));
  std::sort(aussi.begin(), aussi.end());
  aussi.erase(std::unique(aussi.begin(), aussi.end()), aussi.end());
  return aussi;
}

void garder(QList<EntreeIndex> &tabIndex, const QList<EntreeIndex> &entrees) {
  if (tabIndex.size() <= entrees.size())
    tabIndex.resize(entrees.size() + 1);
  std::copy(entrees.cbegin(), entrees.cend(), tabIndex.begin() + 1);
}
} // namespace

// A card save made ready: the changes it adds to a transaction and the
// state it leaves once done.
struct Ecrivain::Enregistrement {
  int position = 0, numero = 0, nbFiches = 0;
  Fiche fiche;
  EntreeIndex entree;
  bool trie = false;
  QList<EntreeIndex> entrees; // all live entries, when sorted
  QList<int> ecrites;

  void ajouter(Transaction &t) const {
    ecrireFiche(t, numero, fiche);
    if (trie)
      ecrireEntrees(t, entrees, ecrites);
    else
      t.ecrire(kIdx, qint64(position - 1) * EntreeIndex::Taille, entree.versOctets());
  }
  void garderDans(Variables &v) const {
    v.nbFiches = nbFiches;
    v.posCourante = position;
    v.ficheCourante = fiche;
    if (trie)
      garder(v.tabIndex, entrees);
    else
      v.tabIndex[position] = entree;
  }
};

Resultat Ecrivain::preparer(Enregistrement &e, const Fiche &fiche, bool creation, bool trier,
                            const Progression &p) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  e.nbFiches = m_v.nbFiches + (creation ? 1 : 0);
  e.position = creation ? e.nbFiches : m_v.posCourante;
  e.numero = creation ? e.nbFiches : m_v.tabIndex.value(e.position).numero;
  // An entry pointing outside the live records is no card to rewrite.
  if (e.nbFiches > fichiers::MaxFiches || e.numero < 1 || e.numero > e.nbFiches || e.position < 1 ||
      e.position > e.nbFiches)
    return refus(QStringLiteral("L'index du catalogue ne désigne aucune fiche à cette position.\r\r"
                                "La fiche ne peut pas être enregistrée."));
  e.fiche = fiche;
  e.entree = {EntreeIndex::cleDe(fiche), static_cast<qint16>(e.numero)};
  e.trie = trier;
  if (trier) {
    // An index shorter than the count is not sorted: that would hide the damage.
    if (m_v.nbFiches > 0 && !fichiers::lireEntrees(m_v.cheminAppli, 1, m_v.nbFiches, e.entrees))
      return echec(QStringLiteral("Impossible d'enregistrer la fiche dans le catalogue.\r\r") + kVerifier);
    if (creation)
      e.entrees.append(e.entree);
    else
      e.entrees[e.position - 1] = e.entree;
    e.ecrites = trierEntrees(e.entrees, {e.position - 1}, p);
  }
  return {};
}

void Ecrivain::ajouterIni(Transaction &t, const Reglages &r, int nbFiches) {
  Reglages ecrits = r;
  ecrits.nbFiches = nbFiches;
  t.remplacer(QStringLiteral("dvd.ini"), reglages::octets(ecrits));
}

bool Ecrivain::valider(Transaction &t) {
  if (!t.valider())
    return false;
  m_avant = t.avant();
  return true;
}

Resultat Ecrivain::enregistrer(const Fiche &fiche, bool creation, bool trier, const Reglages &r,
                               const Progression &progression) {
  Enregistrement e;
  if (Resultat refuse = preparer(e, fiche, creation, trier, progression); !refuse.fait())
    return refuse;
  Transaction t(m_v.cheminAppli, m_disque);
  e.ajouter(t);
  ajouterIni(t, r, e.nbFiches);
  if (!valider(t))
    return echec(QStringLiteral("Impossible d'enregistrer la fiche dans le catalogue.\r\r") + kVerifier);
  e.garderDans(m_v);
  return {};
}

Resultat Ecrivain::reintegrer(const Fiche &fiche, const Pret &pret, const Reglages &r) {
  Enregistrement e;
  if (Resultat refuse = preparer(e, fiche, false, false, {}); !refuse.fait())
    return refuse;
  // The loan goes into the history of the bar code the index holds.
  const QString chemin = historique::chemin(m_v.cheminAppli, m_v.tabIndex.value(e.position).ean());
  QList<Pret> prets;
  // A file that exists but cannot be read is not overwritten: its loans
  // would be lost.
  const bool avecHistorique = !chemin.isEmpty() && QFileInfo(QFileInfo(chemin).absolutePath()).isDir() &&
                              historique::lire(chemin, prets) != historique::Lecture::Erreur;
  prets.append(pret);
  auto essayer = [&](bool historiqueAussi) {
    Transaction t(m_v.cheminAppli, m_disque);
    e.ajouter(t);
    ajouterIni(t, r, e.nbFiches);
    if (historiqueAussi)
      t.remplacer(QDir(m_v.cheminAppli).relativeFilePath(chemin), historique::octets(prets));
    return valider(t);
  };
  Resultat resultat;
  if (!avecHistorique || !essayer(true)) {
    if (!essayer(false))
      return echec(QStringLiteral("Impossible d'enregistrer la fiche dans le catalogue.\r\r") + kVerifier);
    resultat.message = QStringLiteral("Le DVD est réintégré, mais ce prêt n'a pas pu être ajouté à son historique."
                                      "\r\rVérifiez que le dossier historique existe dans le dossier des données "
                                      "et qu'il est accessible en écriture.");
  } else {
    m_v.chargerHistorique(prets);
  }
  e.garderDans(m_v);
  return resultat;
}

Resultat Ecrivain::supprimer(int position, const Reglages &r, const Progression &progression) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  suppression::Plan plan;
  switch (suppression::preparer(m_v.cheminAppli, m_v.nbFiches, position, m_v.ficheCourante, plan, progression)) {
  case suppression::Resultat::Faite:
    break;
  case suppression::Resultat::Rien:
    return refus({});
  case suppression::Resultat::IndexEndommage:
    return refus(QStringLiteral("Cette fiche ne peut pas être supprimée : son entrée dans l'index du catalogue "
                                "(dvd.idx) ne désigne aucune fiche.\r\rLe catalogue n'a pas été modifié."));
  case suppression::Resultat::EchecFichier:
    return echec(QStringLiteral("Impossible de supprimer la fiche du catalogue.\r\r") + kVerifier);
  }
  Transaction t(m_v.cheminAppli, m_disque);
  if (plan.record != 0)
    ecrireFiche(t, plan.record, plan.deplacee);
  ecrireEntrees(t, plan.entrees, plan.ecrites);
  ajouterIni(t, r, m_v.nbFiches - 1);
  if (!valider(t))
    return echec(QStringLiteral("Impossible de supprimer la fiche du catalogue.\r\r") + kVerifier);
  garder(m_v.tabIndex, plan.entrees);
  m_v.nbFiches -= 1;
  if (plan.record != 0)
    m_v.ficheCourante = plan.deplacee;
  return {};
}

Resultat Ecrivain::sauverReglages(const Reglages &r) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  Transaction t(m_v.cheminAppli, m_disque);
  ajouterIni(t, r, m_v.nbFiches);
  if (!valider(t))
    return echec(QStringLiteral("Impossible d'écrire le fichier dvd.ini dans le dossier des données.\r\r"
                                "Vérifiez que le dossier est accessible en écriture."));
  return {};
}

Resultat Ecrivain::importer(const QList<Fiche> &fiches, const Reglages &r, const Progression &progression) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  const int avant = m_v.nbFiches;
  const QString impossible = QStringLiteral("Impossible d'enregistrer une fiche dans le catalogue.\r\r") + kVerifier +
                             QStringLiteral("\r\r%1 fiche(s) sélectionnée(s) n'ont pas été importée(s).")
                                 .arg(fiches.size());
  QList<EntreeIndex> entrees;
  if (avant + fiches.size() > fichiers::MaxFiches ||
      (avant > 0 && !fichiers::lireEntrees(m_v.cheminAppli, 1, avant, entrees)))
    return echec(impossible);
  Transaction t(m_v.cheminAppli, m_disque);
  QList<int> ajoutees;
  for (const Fiche &f : fiches) {
    const int numero = int(entrees.size()) + 1;
    ecrireFiche(t, numero, f);
    entrees.append({EntreeIndex::cleDe(f), static_cast<qint16>(numero)});
    ajoutees.append(numero - 1);
  }
  ecrireEntrees(t, entrees, trierEntrees(entrees, ajoutees, progression));
  ajouterIni(t, r, int(entrees.size()));
  if (!valider(t))
    return echec(impossible);
  garder(m_v.tabIndex, entrees);
  m_v.nbFiches = int(entrees.size());
  return {};
}

Resultat Ecrivain::reparer(const QList<EntreeIndex> &entrees, const Reglages &r, const QString &copie) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  const QString pasDeCopie = QStringLiteral("Impossible de garder une copie des fichiers du catalogue dans :\r%1"
                                            "\r\rLe catalogue n'a pas été réparé.")
                                 .arg(copie);
  if (!QDir().mkpath(copie))
    return echec(pasDeCopie);
  for (const QString &nom : {kLst, kIdx, QStringLiteral("dvd.ini")}) {
    const QString source = cheminDans(m_v.cheminAppli, nom);
    if (QFileInfo::exists(source) && !QFile::copy(source, QDir(copie).filePath(nom)))
      return echec(pasDeCopie);
  }
  QList<EntreeIndex> surDisque;
  fichiers::lireEntrees(m_v.cheminAppli, 1, qMax(1, int(entrees.size())), surDisque);
  QList<int> changees;
  for (int p = 0; p < entrees.size(); ++p)
    if (p >= surDisque.size() || !(surDisque[p] == entrees[p]))
      changees.append(p);
  Transaction t(m_v.cheminAppli, m_disque);
  ecrireEntrees(t, entrees, changees);
  ajouterIni(t, r, int(entrees.size()));
  if (!valider(t))
    return echec(QStringLiteral("Impossible de réparer le catalogue.\r\r") + kVerifier);
  garder(m_v.tabIndex, entrees);
  m_v.nbFiches = int(entrees.size());
  return {};
}

} // namespace catalogue
