#include "generer.h"
#include "storage/fichiers.h"
#include "storage/historique.h"
#include "storage/reclassement.h"
#include "storage/reglages.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRandomGenerator>

namespace {
const QStringList kGenres{"Action", "Animation", "Autre", "Aventure", "Comédie", "Documentaire",
                          "Drame", "Fantastique", "Film", "Guerre", "Policier", "Thriller", "Western"};
const QStringList kEditeurs{"Arte Éditions", "Carlotta Films", "Fox Pathé Europa", "Gaumont", "MK2",
                            "Pathé", "Studiocanal", "TF1 Vidéo", "Universal", "Warner Home Vidéo"};
const QStringList kSons{"Dolby Digital 2.0", "Dolby Digital 5.1", "DTS 5.1", "Mono", "Stéréo"};
const QStringList kAcheteurs{"Moi", "Papa", "Maman", "Cadeau", "Hélène"}; // order of insertion
const QStringList kNoms{"Bernard", "Dupont", "Durand", "Leroy", "Moreau", "Petit", "Zoé",
                        "Élodie Martin"};

const QStringList kArticles{"Le ", "La ", "Les ", "L'", "Un ", "Une ", "", ""};
const QStringList kNomsCommuns{"Nuit", "Été", "Voyage", "Mépris", "Château", "Forêt", "Cœur",
                               "Rivière", "Fenêtre", "Mémoire", "Île", "Aventure", "Histoire",
                               "Chemin", "Silence", "Printemps", "Hôtel", "Garçon", "Fille",
                               "Crépuscule", "Ombre", "Lumière", "Secret", "Frère", "Éléphant",
                               "écume", "Œil", "amour", "Bête"};
const QStringList kAdjectifs{"américaine", "perdu", "éternel", "noir", "blanc", "dernier",
                             "étrange", "fantôme", "doré", "sauvage", "immobile", "à l'aube"};
const QStringList kLieux{"Paris", "Marseille", "Montréal", "Lyon", "Besançon", "Québec", "Nîmes",
                         "Saint-Étienne", "la Côte d'Azur", "l'Oural"};
const QStringList kRealisateurs{"François Truffaut", "Agnès Varda", "Jean-Luc Godard",
                                "Éric Rohmer", "Claude Chabrol", "Jacques Demy", "Luc Besson",
                                "Céline Sciamma", "Jean-Pierre Jeunet", "Henri-Georges Clouzot"};
const QStringList kActeurs{"Catherine Deneuve", "Gérard Depardieu", "Isabelle Huppert",
                           "Jean Gabin", "Juliette Binoche", "Louis de Funès", "Simone Signoret",
                           "Jean-Paul Belmondo", "Romy Schneider", "Lino Ventura"};

class Tirage {
public:
  explicit Tirage(quint32 graine) : m_g(graine) {}
  int entre(int min, int max) { return int(m_g.bounded(min, max + 1)); }
  bool chance(int pourCent) { return entre(1, 100) <= pourCent; }
  const QString &parmi(const QStringList &l) { return l[entre(0, int(l.size()) - 1)]; }
  QString date(int anneeMin, int anneeMax) {
    const QDate d(entre(anneeMin, anneeMax), entre(1, 12), entre(1, 28));
    return d.toString(QStringLiteral("dd/MM/yyyy"));
  }

private:
  QRandomGenerator m_g;
};

QString ean13(int i, Tirage &t) {
  QString s = QStringLiteral("3%1%2").arg(t.entre(100, 999)).arg(i, 8, 10, QChar(u'0'));
  int somme = 0;
  for (int k = 0; k < 12; ++k)
    somme += s[k].digitValue() * (k % 2 ? 3 : 1);
  return s + QString::number((10 - somme % 10) % 10);
}

QString titre(Tirage &t) {
  QString s = t.parmi(kArticles) + t.parmi(kNomsCommuns);
  if (t.chance(50))
    s += u' ' + t.parmi(kAdjectifs);
  if (t.chance(30))
    s += QStringLiteral(" à ") + t.parmi(kLieux);
  if (t.chance(10))
    s += u' ' + QString::number(t.entre(2, 5));
  if (t.chance(3)) // a subtitle typed on a second line
    s += QStringLiteral("\r\n") + t.parmi(kNomsCommuns) + u' ' + t.parmi(kAdjectifs);
  return s;
}

Fiche carte(int i, Tirage &t, QList<Pret> &prets) {
  Fiche f;
  const QString ean = ean13(i, t);
  f.set(Champ::ean, ean);
  f.set(Champ::titre, titre(t));
  f.set(Champ::zone, QStringLiteral("2"));
  f.set(Champ::annee, QString::number(t.entre(1930, 2006)));
  f.set(Champ::duree, QString::number(t.entre(70, 190)));
  f.set(Champ::face, QString::number(t.entre(1, 2)));
  f.set(Champ::langue, t.chance(70) ? QStringLiteral("Français") : QStringLiteral("Anglais"));
  f.set(Champ::genre, t.parmi(kGenres));
  f.set(Champ::soustitre, t.chance(60) ? QStringLiteral("Français") : QStringLiteral("Aucun"));
  f.set(Champ::editeur, t.parmi(kEditeurs));
  f.set(Champ::realisateur, t.parmi(kRealisateurs));
  f.set(Champ::bonus, t.chance(50) ? QStringLiteral("Oui") : QStringLiteral("Non"));
  f.set(Champ::achat, t.parmi(kAcheteurs));
  f.set(Champ::dateachat, t.date(1998, 2006));
  f.set(Champ::format, t.parmi({"16/9", "4/3", "2.35"}));
  f.set(Champ::couleur, t.chance(85) ? QStringLiteral("Oui") : QStringLiteral("Non"));
  f.set(Champ::son, t.parmi(kSons));
  f.set(Champ::acteurs, t.parmi(kActeurs) + QStringLiteral(", ") + t.parmi(kActeurs));
  QString resume;
  for (int k = t.entre(1, 8); k > 0; --k)
    resume += QStringLiteral("Un %1 %2 à %3, où rien ne se passe comme prévu. ")
                  .arg(t.parmi(kNomsCommuns).toLower(), t.parmi(kAdjectifs), t.parmi(kLieux));
  f.set(Champ::resumer, resume);
  const bool prete = t.chance(8);
  f.set(Champ::preter, prete ? QStringLiteral("Oui") : QStringLiteral("Non"));
  f.set(Champ::datepret, prete ? t.date(2006, 2007) : QString());
  f.set(Champ::nom, prete ? t.parmi(kNoms) : QString());
  f.set(Champ::jacket, ean + QStringLiteral(".jpg"));

  prets.clear();
  if (t.chance(12))
    for (int k = t.entre(1, 6); k > 0; --k)
      prets.append({t.parmi(kNoms), t.date(2003, 2005), t.date(2005, 2006)});
  return f;
}

QStringList trieeSansCasse(QStringList l) {
  std::sort(l.begin(), l.end(),
            [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  return l;
}
} // namespace

// Sorts entries 1..n of dvd.idx the way the program does after an edit.
void reclasserFichier(const QString &dossier, int n) {
  QList<EntreeIndex> entrees;
  if (fichiers::lireEntrees(dossier, 1, n, entrees))
    fichiers::ecrirePositions(dossier, entrees, reclassement::trier(entrees));
}

void genererCatalogue(const QString &dossier, int n, quint32 graine) {
  n = std::clamp(n, 0, fichiers::MaxFiches);
  QDir racine(dossier);
  for (const char *sous : {"historique", "jackets", "export"})
    racine.mkpath(QString::fromLatin1(sous));

  Tirage t(graine);
  QByteArray lst, idx;
  QList<Pret> prets;
  for (int i = 1; i <= n; ++i) {
    const Fiche f = carte(i, t, prets);
    lst += f.versOctets();
    EntreeIndex e;
    e.cle = EntreeIndex::cleDe(f);
    e.numero = qint16(i);
    idx += e.versOctets();
    if (!prets.isEmpty())
      historique::ecrire(historique::chemin(dossier, f.get(Champ::ean)), prets);
  }
  for (const auto &[nom, octets] : {std::pair{"dvd.lst", &lst}, std::pair{"dvd.idx", &idx}}) {
    QFile f(racine.filePath(QString::fromLatin1(nom)));
    if (f.open(QIODevice::WriteOnly))
      f.write(*octets);
  }
  reclasserFichier(dossier, n);

  Reglages r;
  r.nbFiches = n;
  r.margeHaut = r.margeBas = r.margeGauche = r.margeDroite = QStringLiteral("10");
  r.genres = trieeSansCasse(kGenres);
  r.editeurs = trieeSansCasse(kEditeurs);
  r.sons = trieeSansCasse(kSons);
  r.acheteurs = kAcheteurs;
  r.noms = trieeSansCasse(kNoms);
  reglages::sauver(racine.filePath(QStringLiteral("dvd.ini")), r);
}

void genererJaquettes(const QString &dossier, int n) {
  const qint64 cartes = QFileInfo(QDir(dossier).filePath(QStringLiteral("dvd.lst"))).size() / Fiche::Taille;
  QList<Fiche> fiches;
  fichiers::lireFiches(dossier, 1, int(std::min<qint64>(n, cartes)), fiches);
  Tirage t(7);
  for (const Fiche &f : fiches) {
    QImage image(200, 285, QImage::Format_RGB32);
    QLinearGradient fond(0, 0, 0, 285);
    fond.setColorAt(0, QColor::fromHsv(t.entre(0, 359), 160, 120));
    fond.setColorAt(1, QColor::fromHsv(t.entre(0, 359), 200, 40));
    QPainter p(&image);
    p.fillRect(image.rect(), fond);
    p.setPen(Qt::white);
    p.setFont(QFont(QStringLiteral("DejaVu Serif"), 16, QFont::Bold));
    p.drawText(QRect(12, 40, 176, 200), Qt::AlignHCenter | Qt::TextWordWrap,
               sansBlancsFinaux(f.get(Champ::titre)).simplified());
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    p.drawText(QRect(0, 250, 200, 20), Qt::AlignHCenter, sansBlancsFinaux(f.get(Champ::realisateur)));
    p.end();
    image.save(QDir(dossier).filePath(QStringLiteral("jackets/") + sansBlancsFinaux(f.get(Champ::jacket))), "JPG");
  }
}
