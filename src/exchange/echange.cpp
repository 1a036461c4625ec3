#include "exchange/echange.h"

#include "storage/cp1252.h"
#include "storage/fichiers.h"
#include "storage/historique.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>

namespace echange {

namespace {
const QString kLst = QStringLiteral("export.lst");
const QString kDat = QStringLiteral("export.dat");

void avancer(const Progression &p, int valeur) {
  if (p)
    p(valeur);
}

// Entries of positions 1..n; a position that cannot be read stays empty.
QList<std::optional<EntreeIndex>> entreesEnOrdre(const QString &dossier, int n) {
  QList<std::optional<EntreeIndex>> resultat(qMax(0, n));
  if (n < 1)
    return resultat;
  QList<EntreeIndex> bloc;
  if (fichiers::lireEntrees(dossier, 1, n, bloc)) {
    for (int i = 0; i < n; ++i)
      resultat[i] = bloc[i];
    return resultat;
  }
  // A short file: as many as it holds, one by one.
  for (int p = 1; p <= n; ++p) {
    EntreeIndex e;
    if (fichiers::lireEntree(dossier, p, e))
      resultat[p - 1] = e;
  }
  return resultat;
}

void garderDansCache(QList<EntreeIndex> &tabIndex, int position, const EntreeIndex &e) {
  if (tabIndex.size() <= position)
    tabIndex.resize(position + 1);
  tabIndex[position] = e;
}

QByteArray lignes(const QStringList &l) {
  QByteArray octets;
  for (const QString &ligne : l)
    octets += cp1252::encode(ligne) + "\r\n";
  return octets;
}

// One line of export.dat per item: a line break inside an item would split it,
// and a blank item of the first four lists would read as their end.
QStringList itemsEcrits(const QStringList &items, bool blancsPermis) {
  QStringList l;
  for (QString item : items) {
    item.replace(u'\r', u' ').replace(u'\n', u' ');
    if (blancsPermis || !item.trimmed().isEmpty())
      l << item;
  }
  return l;
}

// Written beside the old file, which is replaced once the new one is whole.
// Unbuffered: a failed write is seen here, not lost inside commit().
bool preparerFichier(QSaveFile &f, const QByteArray &octets) {
  if (f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && f.write(octets) == octets.size())
    return true;
  f.cancelWriting();
  return false;
}

bool ecrireFichier(const QString &chemin, const QByteArray &octets) {
  QSaveFile f(chemin);
  return preparerFichier(f, octets) && f.commit();
}
} // namespace

QString titreAffiche(const QString &titre) {
  QString t = sansEspaces(titre);
  t.replace(u'\r', QStringLiteral(" : "));
  t.remove(u'\n');
  return t;
}

QList<std::optional<Fiche>> fichesEnOrdre(const QString &dossier, int nbFiches,
                                          QList<EntreeIndex> &tabIndex) {
  const int n = qBound(0, nbFiches, fichiers::MaxFiches);
  const QList<std::optional<EntreeIndex>> entrees = entreesEnOrdre(dossier, n);
  QList<Fiche> records;
  const bool enBloc = n > 0 && fichiers::lireFiches(dossier, 1, n, records);

  QList<std::optional<Fiche>> fiches(n);
  for (int p = 1; p <= n; ++p) {
    if (!entrees[p - 1])
      continue;
    const EntreeIndex &e = *entrees[p - 1];
    garderDansCache(tabIndex, p, e);
    if (e.numero < 1 || e.numero > n)
      continue;
    if (enBloc) {
      fiches[p - 1] = records[e.numero - 1];
    } else {
      Fiche f;
      if (fichiers::lireFiche(dossier, e.numero, f))
        fiches[p - 1] = f;
    }
  }
  return fiches;
}

QStringList titresCatalogue(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex) {
  const int n = qBound(0, nbFiches, fichiers::MaxFiches);
  const QList<std::optional<EntreeIndex>> entrees = entreesEnOrdre(dossier, n);
  QStringList titres;
  for (int p = 1; p <= n; ++p) {
    if (entrees[p - 1]) {
      garderDansCache(tabIndex, p, *entrees[p - 1]);
      titres << titreAffiche(entrees[p - 1]->titre());
    } else {
      titres << QString();
    }
  }
  return titres;
}

// ---------------------------------------------------------------- export.xls

namespace {
// Windows-1252 keeps CR and LF at their ASCII bytes and takes one byte per
// character: the cleaning works on the record's bytes, field widths intact.
void ajouterLigneTableur(QByteArray &ligne, const Fiche &f) {
  const QByteArray record = f.versOctets();
  for (std::size_t i = 0; i < kChamps.size(); ++i) {
    const Champ c = static_cast<Champ>(i);
    const QByteArrayView champ(record.constData() + kChamps[i].offset, kChamps[i].largeur);
    if (i > 0)
      ligne += ';';
    const bool nettoye = c == Champ::titre || c == Champ::acteurs || c == Champ::resumer;
    if (nettoye && (champ.contains('\r') || champ.contains('\n'))) {
      QByteArray texte = champ.toByteArray();
      texte.replace("\r", c == Champ::titre ? " : " : "").replace("\n", "");
      ligne += texte.leftJustified(kChamps[i].largeur, ' ', true);
    } else {
      ligne += champ;
    }
  }
  ligne += "\r\n";
}
} // namespace

QByteArray ligneTableur(const Fiche &f) {
  QByteArray ligne;
  ajouterLigneTableur(ligne, f);
  return ligne;
}

BilanTableur ecrireTableur(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                           const QString &fichier, const Progression &progression) {
  BilanTableur bilan;
  const QList<std::optional<Fiche>> fiches = fichesEnOrdre(dossier, nbFiches, tabIndex);
  QByteArray contenu;
  contenu.reserve(fiches.size() * (Fiche::Taille + qsizetype(kChamps.size()) + 1));
  for (int p = 1; p <= fiches.size(); ++p) {
    avancer(progression, p);
    // A card that cannot be read is left out rather than written as the
    // previous one again.
    if (!fiches[p - 1]) {
      ++bilan.illisibles;
      continue;
    }
    ajouterLigneTableur(contenu, *fiches[p - 1]);
    ++bilan.lignes;
  }
  bilan.ecrit = ecrireFichier(fichier, contenu);
  if (!bilan.ecrit)
    bilan.lignes = 0;
  return bilan;
}

// ---------------------------------------------------------------- exchange folder

Fiche ficheExportee(Fiche f) {
  for (Champ c : {Champ::achat, Champ::dateachat, Champ::datepret, Champ::nom})
    f.set(c, QString());
  f.set(Champ::preter, QStringLiteral("Non"));
  return f;
}

QByteArray contenuExportDat(int nombre, const Listes &listes) {
  QByteArray octets = QByteArray::number(nombre) + "\r\n";
  for (const QStringList *l : {&listes.genres, &listes.editeurs, &listes.sons, &listes.acheteurs})
    octets += lignes(itemsEcrits(*l, false)) + "\r\n";
  octets += lignes(itemsEcrits(listes.noms, true));
  return octets;
}

ExportDat lireExportDat(const QByteArray &octets) {
  ExportDat dat;
  QList<QByteArray> brutes = octets.split('\n');
  // The line end of the last line is no line of its own.
  if (!brutes.isEmpty() && brutes.last().isEmpty())
    brutes.removeLast();
  QStringList l;
  for (QByteArray &b : brutes) {
    if (b.endsWith('\r'))
      b.chop(1);
    l << cp1252::decode(b);
  }
  if (l.isEmpty())
    return dat;
  // The count is read as a value: up to a comma, blanks around it ignored.
  bool ok = false;
  const int n = l[0].section(u',', 0, 0).trimmed().toInt(&ok);
  dat.nombreLu = ok && n >= 0;
  dat.nombre = dat.nombreLu ? n : 0;

  qsizetype i = 1;
  for (QStringList *liste : {&dat.listes.genres, &dat.listes.editeurs, &dat.listes.sons,
                             &dat.listes.acheteurs}) {
    while (i < l.size() && !l[i].trimmed().isEmpty())
      *liste << l[i++];
    ++i; // the empty line that ends the list
  }
  while (i < l.size())
    dat.listes.noms << l[i++];
  return dat;
}

QList<Fiche> lireExportLst(const QByteArray &octets) {
  QList<Fiche> fiches;
  const qsizetype n = octets.size() / Fiche::Taille;
  fiches.reserve(n);
  for (qsizetype i = 0; i < n; ++i)
    fiches << Fiche::depuisOctets(octets.sliced(i * Fiche::Taille, Fiche::Taille));
  return fiches;
}

QString nomJacket(const Fiche &f) {
  const QString ean = sansEspaces(f.get(Champ::ean));
  return historique::nommeUnFichier(ean) ? ean : QString();
}

bool copierJacket(const QString &source, const QString &destination) {
  const QFileInfo src(source), dst(destination);
  if (!src.isFile())
    return false;
  // Replacing a file with itself would empty it first.
  if (dst.exists() && src.canonicalFilePath() == dst.canonicalFilePath())
    return false;
  QByteArray octets;
  return lireTout(source, octets) && ecrireFichier(destination, octets);
}

BilanExport exporterSelection(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                              const QList<int> &positions, const Listes &listes,
                              const QString &dossierExport, bool jackets,
                              const Progression &progression) {
  BilanExport bilan;
  QDir(dossierExport).mkpath(QStringLiteral("."));
  const QString lst = cheminDans(dossierExport, kLst);
  const QString dat = cheminDans(dossierExport, kDat);
  if (positions.isEmpty())
    return bilan;

  const QList<std::optional<Fiche>> fiches = fichesEnOrdre(dossier, nbFiches, tabIndex);
  QByteArray records;
  QList<QString> covers;
  for (int p : positions) {
    avancer(progression, p);
    if (p < 1 || p > fiches.size() || !fiches[p - 1]) {
      ++bilan.illisibles;
      continue;
    }
    const Fiche f = ficheExportee(*fiches[p - 1]);
    records += f.versOctets();
    ++bilan.exportees;
    if (jackets)
      covers << nomJacket(f);
  }
  if (bilan.exportees == 0)
    return bilan;

  // The old pair stays until both new files are whole; export.dat, which
  // announces the count, goes last.
  QSaveFile nouveauLst(lst), nouveauDat(dat);
  if (!preparerFichier(nouveauLst, records) ||
      !preparerFichier(nouveauDat, contenuExportDat(bilan.exportees, listes)) || !nouveauLst.commit() ||
      !nouveauDat.commit()) {
    bilan.exportees = 0;
    return bilan;
  }
  bilan.ecrit = true;
  // A missing cover is no error: the card goes without it.
  for (const QString &ean : covers)
    if (!ean.isEmpty())
      copierJacket(cheminDans(dossier, QStringLiteral("jackets/") + ean + QStringLiteral(".jpg")),
                   QDir(dossierExport).filePath(ean + QStringLiteral(".jpg")));
  return bilan;
}

// ---------------------------------------------------------------- import

BilanImport choisirFiches(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex,
                          const QList<Fiche> &fiches, const QList<int> &coches, const ConfirmerDoublon &confirmer,
                          const Progression &progression) {
  BilanImport bilan;
  // First index position of each bar code, as the walk over dvd.idx finds it.
  const QList<std::optional<EntreeIndex>> entrees =
      entreesEnOrdre(dossier, qBound(0, nbFiches, fichiers::MaxFiches));
  QList<EntreeIndex> parPosition(entrees.size() + 1);
  QHash<QString, int> premiere;
  auto retenir = [&](int position, const EntreeIndex &e) {
    if (parPosition.size() <= position)
      parPosition.resize(position + 1);
    parPosition[position] = e;
    premiere.insert(sansEspaces(e.ean()), position);
  };
  for (int p = 1; p <= entrees.size(); ++p)
    if (entrees[p - 1]) {
      garderDansCache(tabIndex, p, *entrees[p - 1]);
      if (!premiere.contains(sansEspaces(entrees[p - 1]->ean())))
        retenir(p, *entrees[p - 1]);
    }

  for (const int j : coches) {
    avancer(progression, j + 1);
    if (j < 0 || j >= fiches.size()) {
      ++bilan.illisibles;
      continue;
    }
    const int position = nbFiches + int(bilan.aInserer.size()) + 1;
    if (position > fichiers::MaxFiches) {
      ++bilan.horsLimite;
      continue;
    }
    const Fiche &f = fiches[j];
    // Its history and cover would be named after it.
    if (!historique::nommeUnFichier(f.get(Champ::ean))) {
      ++bilan.sansNom;
      continue;
    }
    const QString ean = sansEspaces(f.get(Champ::ean));
    if (const auto it = premiere.constFind(ean); it != premiere.constEnd())
      if (!confirmer || !confirmer(parPosition[*it], f))
        continue;
    bilan.aInserer << f;
    if (!premiere.contains(ean))
      retenir(position, {EntreeIndex::cleDe(f), static_cast<qint16>(position)});
  }
  return bilan;
}

void copierJackets(const QString &dossier, const QString &dossierJackets, const QList<Fiche> &fiches) {
  QDir(dossier).mkpath(QStringLiteral("jackets"));
  const QString dossierCovers = cheminDans(dossier, QStringLiteral("jackets"));
  for (const Fiche &f : fiches)
    if (const QString nom = nomJacket(f); !nom.isEmpty())
      copierJacket(cheminDans(dossierJackets, nom + QStringLiteral(".jpg")),
                   QDir(dossierCovers).filePath(nom + QStringLiteral(".jpg")));
}

QStringList nouveauxItems(const QStringList &existants, const QStringList &entrants) {
  QStringList vus = existants;
  QStringList nouveaux;
  for (const QString &item : entrants)
    if (!vus.contains(item, Qt::CaseSensitive)) {
      vus << item;
      nouveaux << item;
    }
  return nouveaux;
}

bool lireTout(const QString &chemin, QByteArray &octets) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly))
    return false;
  octets = f.readAll();
  return true;
}

} // namespace echange
