#include "listings/listing.h"

#include "storage/controles.h"
#include "storage/fichiers.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace listes {

namespace {
constexpr Qt::Alignment kGaucheCentre = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kGaucheHaut = Qt::AlignLeft | Qt::AlignTop;

// NULs are what a never-written field holds: nothing to show or match.
QString sansNul(QString texte) { return texte.remove(QChar(u'\0')); }

QString champ(const Fiche &f, Champ c) { return sansEspaces(sansNul(f.get(c))); }

QString numero(const Listing &l) { return QString::number(l.lignes.size() + 1); }
} // namespace

QString titreAffiche(const QString &titre) {
  QString t = sansNul(titre);
  t.replace(u'\r', QStringLiteral(" : "));
  t.remove(u'\n');
  return sansEspaces(t);
}

void parcourirIndex(const QString &dossier, int nbFiches,
                    const std::function<void(int, const EntreeIndex &)> &visite) {
  const int n = std::clamp(nbFiches, 0, fichiers::MaxFiches);
  QList<EntreeIndex> entrees;
  // One read for the whole index; entry by entry when the file is short.
  if (n > 0 && !fichiers::lireEntrees(dossier, 1, n, entrees)) {
    entrees = QList<EntreeIndex>(n);
    for (int p = 1; p <= n; ++p)
      fichiers::lireEntree(dossier, p, entrees[p - 1]);
  }
  for (int p = 1; p <= n; ++p)
    visite(p, entrees[p - 1]);
}

void parcourir(const QString &dossier, int nbFiches, const Visite &visite) {
  const int n = std::clamp(nbFiches, 0, fichiers::MaxFiches);
  QList<Fiche> fiches;
  const bool enBloc = n > 0 && fichiers::lireFiches(dossier, 1, n, fiches);
  parcourirIndex(dossier, n, [&](int p, const EntreeIndex &e) {
    // A record number outside the live records is damage, not a card.
    if (e.numero < 1 || e.numero > n) {
      visite(p, e, nullptr);
    } else if (enBloc) {
      visite(p, e, &fiches[e.numero - 1]);
    } else {
      Fiche f;
      visite(p, e, fichiers::lireFiche(dossier, e.numero, f) ? &f : nullptr);
    }
  });
}

// ---------------------------------------------------------------- catalogue

Listing nouveauCatalogue() {
  Listing l;
  l.titre = QStringLiteral("Liste de mes Films DVD");
  l.typeListe = 0;
  l.colonnes = {{500, QString(), Qt::AlignCenter},
                {5760, QStringLiteral("TITRES DES DVDS"), kGaucheCentre},
                {1100, QStringLiteral("ACHAT"), Qt::AlignCenter}};
  l.rangeeSelectionnee = 1;
  return l;
}

void ajouterAuCatalogue(Listing &l, const EntreeIndex &entree, const Fiche *fiche) {
  // An unreadable card still has its title and date in the index key.
  const QString titre = fiche ? fiche->get(Champ::titre) : entree.titre();
  QString date = sansNul(fiche ? fiche->get(Champ::dateachat) : entree.dateachat());
  if (sansEspaces(date).isEmpty())
    date = QStringLiteral("01/01/1999");
  l.lignes.append({numero(l), titreAffiche(titre), date});
}

qint64 jourAchat(const QString &date) {
  static const QRegularExpression forme(QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
  static const qint64 parDefaut = QDate(1999, 1, 1).toJulianDay();
  const QRegularExpressionMatch m = forme.match(sansNul(date).trimmed());
  if (!m.hasMatch())
    return parDefaut;
  int annee = m.captured(3).toInt();
  if (m.captured(3).size() == 2) // two-digit years: 00-29 this century, 30-99 the last
    annee += annee < 30 ? 2000 : 1900;
  const QDate d(annee, m.captured(2).toInt(), m.captured(1).toInt());
  return d.isValid() ? d.toJulianDay() : parDefaut;
}

void trierParDate(Listing &catalogue) {
  struct Ligne {
    qint64 jour;
    QString titre, date;
    int position;
  };
  QList<Ligne> lignes;
  lignes.reserve(catalogue.lignes.size());
  for (qsizetype i = 0; i < catalogue.lignes.size(); ++i) {
    const QStringList &l = catalogue.lignes[i];
    lignes.append({jourAchat(l.value(2)), l.value(1), l.value(2), int(catalogue.positions.value(i))});
  }
  // Equal dates never change places: the alphabetical order stays among them.
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const Ligne &a, const Ligne &b) { return a.jour > b.jour; });
  for (qsizetype i = 0; i < lignes.size(); ++i) {
    catalogue.lignes[i][1] = lignes[i].titre;
    catalogue.lignes[i][2] = lignes[i].date;
    if (i < catalogue.positions.size())
      catalogue.positions[i] = lignes[i].position;
  }
}

Listing nouveauxPrets() {
  Listing l;
  l.titre = QStringLiteral("Liste de mes Films DVD prêtés");
  l.typeListe = 1;
  l.colonnes = {{410, QString(), Qt::AlignCenter},
                {3900, QStringLiteral("TITRE"), kGaucheHaut},
                {2050, QStringLiteral("EMPRUNTEUR"), Qt::AlignCenter},
                {1000, QStringLiteral("DATE"), Qt::AlignCenter}};
  return l;
}

bool estPrete(const Fiche &f) { return f.get(Champ::preter) == QLatin1String("Oui"); }

void ajouterAuxPrets(Listing &l, const Fiche &f) {
  l.lignes.append({numero(l), titreAffiche(f.get(Champ::titre)), champ(f, Champ::nom), champ(f, Champ::datepret)});
}

// ---------------------------------------------------------------- history

Listing historiqueDvd(const QList<Pret> &prets) {
  Listing l;
  l.titre = QStringLiteral("Historique de mes Films DVD prêtés");
  l.typeListe = 2;
  l.colonnes = {{3160, QStringLiteral("NOM DES EMPRUNTEURS"), Qt::AlignCenter},
                {2100, QStringLiteral("DATE DU PRET"), Qt::AlignCenter},
                {2100, QStringLiteral("DATE DU RETOUR"), Qt::AlignCenter}};
  for (qsizetype i = prets.size() - 1; i >= 0; --i)
    l.lignes.append({prets[i].nom, prets[i].datePret, prets[i].dateRetour});
  return l;
}

// ---------------------------------------------------------------- filtered

const DefCritere &defCritere(Critere c) {
  static const DefCritere table[] = {
      {Champ::genre, "Liste des DVDs par genre : ", 1, "Aucun DVD trouvé pour cette catégorie  !!!"},
      {Champ::editeur, "Liste des DVDs d'un éditeur : ", 1, "Aucun DVD trouvé avec cet éditeur  !!!"},
      {Champ::titre, "Liste des DVDs avec le même terme : ", 1, "Aucun DVD trouvé avec ce terme  !!!"},
      {Champ::acteurs, "Liste des DVDs d'un interprète : ", 1, "Aucun DVD trouvé avec cet interprète  !!!"},
      {Champ::realisateur, "Liste des DVDs d'un réalisateur : ", 1,
       "Aucun DVD trouvé pour avec ce réalisateur  !!!"},
      {Champ::achat, "Liste des DVDs achetés par ", 3, "Aucun DVD trouvé avec cet acheteur  !!!"},
  };
  return table[static_cast<int>(c)];
}

bool correspond(Critere c, const QString &critere, const Fiche &f) {
  const Champ ch = defCritere(c).champ;
  const QString valeur = champ(f, ch);
  // A list item longer than its field was stored cut: compare what the card holds.
  const bool deListe = c == Critere::Genre || c == Critere::Editeur || c == Critere::Acheteur;
  const QString cherche = deListe ? controles::aLargeur(ch, critere) : critere;
  if (c == Critere::Genre)
    return cherche == valeur;
  // An empty criterion is found in any field that is not blank.
  return !valeur.isEmpty() && valeur.toUpper().contains(sansEspaces(cherche).toUpper());
}

Listing nouveauFiltre(Critere c, const QString &critere) {
  const DefCritere &d = defCritere(c);
  Listing l;
  l.titre = QString::fromUtf8(d.titre) + critere;
  l.typeListe = d.typeListe;
  l.colonnes = {{560, QString(), Qt::AlignCenter},
                {6800, QStringLiteral("TITRE DU DVD"), kGaucheHaut},
                {-1, QString(), Qt::AlignCenter}};
  return l;
}

void ajouterAuFiltre(Listing &l, const EntreeIndex &entree) {
  l.lignes.append({numero(l), titreAffiche(entree.titre()), QString()});
}

DossierHistorique::DossierHistorique(const QString &dossier) {
  const QDir d(cheminDans(dossier, QStringLiteral("historique")));
  for (const QFileInfo &fi : d.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
    m_exacts.insert(fi.fileName(), fi.filePath());
    m_sansCasse.insert(fi.fileName().toLower(), fi.filePath());
  }
}

QString DossierHistorique::chemin(const QString &ean) const {
  const QString nom = ajuster(ean, 13) + QStringLiteral(".hst");
  const QString exact = m_exacts.value(nom);
  return exact.isEmpty() ? m_sansCasse.value(nom.toLower()) : exact;
}

Listing nouveauxFilmsPretes(const QString &nom) {
  Listing l;
  l.titre = QStringLiteral("Liste de mes Films prêtés à ") + nom;
  l.typeListe = 1;
  l.colonnes = {{400, QString(), Qt::AlignCenter},
                {4160, QStringLiteral("TITRE DU DVD"), kGaucheHaut},
                {1400, QStringLiteral("DATE DU PRET"), Qt::AlignCenter},
                {1400, QStringLiteral("DATE RETOUR"), Qt::AlignCenter}};
  return l;
}

void ajouterLesPretsA(Listing &l, const QString &nom, const EntreeIndex &entree, const QList<Pret> &prets) {
  for (const Pret &p : prets)
    if (p.nom == nom)
      l.lignes.append({numero(l), titreAffiche(entree.titre()), sansEspaces(p.datePret),
                       sansEspaces(p.dateRetour)});
}

} // namespace listes
