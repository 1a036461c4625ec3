#include "catalogue/ecrivain.h"

#include "storage/fichiers.h"
#include "storage/reclassement.h"
#include "storage/suppression.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMap>
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

// What a command left in the places it changed: each file's length, its
// bytes at the places the before-image holds and past its old end. Compared
// before an undo, so that no change made since is written over.
QByteArray empreinte(const Image &avant, const QString &dossier) {
  // Compared within the run only: any strong fast hash does, and BLAKE2b is
  // several times faster than SHA-256 on a whole imported catalogue.
  QCryptographicHash h(QCryptographicHash::Blake2b_256);
  for (const Image::Fichier &f : avant.fichiers) {
    QFile fichier(QDir(dossier).filePath(f.nom));
    const bool ouvert = fichier.open(QIODevice::ReadOnly);
    const qint64 taille = ouvert ? fichier.size() : -1;
    h.addData(f.nom.toUtf8() + '\0' + QByteArray::number(taille) + '\0');
    auto lire = [&](qint64 debut, qint64 n) {
      if (ouvert && fichier.seek(debut))
        h.addData(fichier.read(n));
    };
    for (const Image::Region &r : f.regions)
      lire(r.position, r.octets.size());
    if (ouvert && taille > f.taille)
      lire(qMax<qint64>(0, f.taille), taille);
  }
  return h.result();
}

QString titreDe(const Fiche &f) { return f.get(Champ::titre).trimmed(); }

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

// The copy made ahead when nothing has changed yet in this run, else a new one.
QString Ecrivain::sauvegarderAvant() {
  QString faite = m_sauvegarde ? QString() : m_enAvance.publier(sauvegardesGardees);
  if (faite.isEmpty())
    faite = sauvegarder(m_v.cheminAppli, sauvegardesGardees);
  m_sauvegarde = true;
  return faite;
}

Resultat Ecrivain::commencer(const QString &libelle) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  if (!m_sauvegarde) {
    if (sauvegarderAvant().isEmpty() && sauvegardeImpossible &&
        !sauvegardeImpossible(
            QStringLiteral("La sauvegarde du catalogue n'a pas pu être faite dans le dossier :\r%1\r\r"
                           "Le disque est peut-être plein.\r\rContinuer sans sauvegarde ?")
                .arg(QDir::toNativeSeparators(QDir(m_v.cheminAppli).filePath(kSauvegardes))))) {
      m_sauvegarde = false; // asked again at the next change
      return refus({});
    }
  }
  m_libelle = libelle;
  m_positionAvant = m_v.posCourante;
  return {};
}

bool Ecrivain::valider(Transaction &t) {
  if (!t.valider())
    return false;
  m_avant = t.avant();
  if (!m_libelle.isEmpty()) {
    m_pas.append({m_libelle, m_avant, empreinte(m_avant, m_v.cheminAppli), m_positionAvant});
    if (m_pas.size() > 50)
      m_pas.removeFirst();
    m_libelle.clear();
  }
  return true;
}

QString Ecrivain::aAnnuler() const { return m_pas.isEmpty() ? QString() : m_pas.last().libelle; }

Resultat Ecrivain::annuler() {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  if (m_pas.isEmpty())
    return refus(QStringLiteral("Il n'y a aucune opération à annuler."));
  const Pas pas = m_pas.takeLast();
  if (empreinte(pas.avant, m_v.cheminAppli) != pas.apres) {
    // What was done before it is no safer to undo.
    m_pas.clear();
    return refus(QStringLiteral("« %1 » ne peut pas être annulé : les fichiers du catalogue ont été modifiés depuis "
                                "(par un autre programme, ou remis à la main).\r\rLe catalogue n'a pas été modifié.")
                     .arg(pas.libelle));
  }
  m_libelle.clear(); // an undo is not undone
  Transaction t(m_v.cheminAppli, m_disque);
  // Backwards, as a rollback does: where places overlap, the oldest bytes win.
  for (auto f = pas.avant.fichiers.crbegin(); f != pas.avant.fichiers.crend(); ++f) {
    for (auto r = f->regions.crbegin(); r != f->regions.crend(); ++r)
      t.ecrire(f->nom, r->position, r->octets);
    t.retailler(f->nom, f->taille);
  }
  if (!valider(t)) {
    m_pas.append(pas);
    return echec(QStringLiteral("« %1 » n'a pas pu être annulé.\r\r").arg(pas.libelle) + kVerifier);
  }
  relire(pas.position);
  return {};
}

Resultat Ecrivain::restaurer(const Sauvegarde &sauvegarde) {
  if (!lectureSeule.isEmpty())
    return refus(lectureSeule);
  const QString intact = QStringLiteral("\r\rLe catalogue n'a pas été modifié.");
  // Read first: saving the current files may rotate this backup away.
  QMap<QString, QByteArray> lus;
  const QDir source(sauvegarde.chemin);
  QStringList noms = {kLst, kIdx, QStringLiteral("dvd.ini")};
  for (const QString &h : QDir(source.filePath(QStringLiteral("historique"))).entryList(QDir::Files | QDir::Hidden))
    noms.append(QStringLiteral("historique/") + h);
  for (const QString &nom : std::as_const(noms)) {
    QFile f(source.filePath(nom));
    if (f.exists() && !f.open(QIODevice::ReadOnly))
      return refus(QStringLiteral("La sauvegarde %1 ne peut pas être lue.").arg(QDir::toNativeSeparators(f.fileName())) +
                   intact);
    if (f.isOpen())
      lus.insert(nom, f.readAll());
  }
  if (sauvegarderAvant().isEmpty())
    return echec(QStringLiteral("Les fichiers actuels du catalogue n'ont pas pu être sauvegardés avant d'être "
                                "remplacés.") + intact);
  Transaction t(m_v.cheminAppli, m_disque);
  const QDir ici(m_v.cheminAppli);
  for (const QString &h : QDir(cheminDans(m_v.cheminAppli, QStringLiteral("historique"))).entryList(QDir::Files))
    noms.append(QStringLiteral("historique/") + h);
  noms.removeDuplicates();
  for (const QString &nom : std::as_const(noms)) {
    if (lus.contains(nom))
      t.remplacer(nom, lus.value(nom));
    else if (QFileInfo::exists(cheminDans(m_v.cheminAppli, nom)))
      t.retailler(nom, -1);
  }
  m_libelle = QStringLiteral("restauration de la sauvegarde du %1")
                  .arg(sauvegarde.date.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
  m_positionAvant = m_v.posCourante;
  if (!valider(t))
    return echec(QStringLiteral("La sauvegarde n'a pas pu être restaurée.\r\r") + kVerifier + intact);
  relire(1);
  return {};
}

void Ecrivain::relire(int position) {
  Reglages r;
  reglages::lire(cheminDans(m_v.cheminAppli, QStringLiteral("dvd.ini")), r);
  QList<EntreeIndex> entrees;
  m_v.nbFiches = r.nbFiches > 0 && fichiers::lireEntrees(m_v.cheminAppli, 1, r.nbFiches, entrees) ? r.nbFiches : 0;
  garder(m_v.tabIndex, entrees);
  m_v.posCourante = qBound(1, position, qMax(1, m_v.nbFiches));
  m_v.ficheCourante = Fiche();
  if (m_v.nbFiches > 0)
    fichiers::lireFiche(m_v.cheminAppli, m_v.tabIndex[m_v.posCourante].numero, m_v.ficheCourante);
}

Resultat Ecrivain::enregistrer(const Fiche &fiche, bool creation, bool trier, const Reglages &r,
                               const Progression &progression) {
  QString libelle = QStringLiteral("modification de « %1 »");
  Fiche avant;
  if (creation)
    libelle = QStringLiteral("nouvelle fiche « %1 »");
  else if (fiche.get(Champ::preter).trimmed() == QLatin1String("Oui") &&
           fichiers::lireFiche(m_v.cheminAppli, m_v.tabIndex.value(m_v.posCourante).numero, avant) &&
           avant.get(Champ::preter).trimmed() != QLatin1String("Oui"))
    libelle = QStringLiteral("prêt de « %1 »");
  Enregistrement e;
  if (Resultat refuse = commencer(libelle.arg(titreDe(fiche))); !refuse.fait())
    return refuse;
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
  if (Resultat refuse = commencer(QStringLiteral("retour de « %1 »").arg(titreDe(fiche))); !refuse.fait())
    return refuse;
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
  Fiche supprimee;
  fichiers::lireFiche(m_v.cheminAppli, m_v.tabIndex.value(position).numero, supprimee);
  if (Resultat refuse = commencer(QStringLiteral("suppression de « %1 »").arg(titreDe(supprimee))); !refuse.fait())
    return refuse;
  m_positionAvant = position;
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
  if (Resultat refuse = commencer(QStringLiteral("modification des listes")); !refuse.fait())
    return refuse;
  Transaction t(m_v.cheminAppli, m_disque);
  ajouterIni(t, r, m_v.nbFiches);
  if (!valider(t))
    return echec(QStringLiteral("Impossible d'écrire le fichier dvd.ini dans le dossier des données.\r\r"
                                "Vérifiez que le dossier est accessible en écriture."));
  return {};
}

Resultat Ecrivain::importer(const QList<Fiche> &fiches, const Reglages &r, const Progression &progression) {
  if (Resultat refuse = commencer(QStringLiteral("importation de %1 fiche(s)").arg(fiches.size())); !refuse.fait())
    return refuse;
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
  // A repair keeps its own copy and is not undone: the index before it was
  // not to be trusted.
  m_libelle.clear();
  m_pas.clear();
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
