#include "listings/impression.h"

#include "platform/dialogues.h"
#include "platform/imprimante.h"
#include "storage/fiche.h"
#include "storage/variables.h"

#include <QTableWidget>
#include <QWidget>

#include <algorithm>
#include <tuple>

namespace impression {

QString titre(int typeListe, const QString &acheteur) {
  switch (typeListe) {
  case 1: return QStringLiteral("LISTE DE MES FILMS DVD PRETES (par Filmorel)");
  case 2: return QStringLiteral("LISTE DES EMPRUNTEURS POUR CE DVD (par Filmorel)");
  case 3: return QStringLiteral("LISTE DES DVDs ACHETES PAR ") + acheteur + QStringLiteral(" (par Filmorel)");
  default: return QStringLiteral("LISTE DE MES FILMS DVD (par Filmorel)");
  }
}

QString description(int typeListe, const QString &acheteur) {
  switch (typeListe) {
  case 1: return QStringLiteral("Impression de la liste des DVDs prêtés.");
  case 2: return QStringLiteral("Impression de la liste des emprunteurs du DVD.");
  case 3: return QStringLiteral("Impression de la liste des DVDs de ") + acheteur;
  default: return QStringLiteral("Impression de la liste des DVDs.");
  }
}

QString texteTri(int reponse) {
  return reponse == Dialogues::Non ? QStringLiteral("Liste triée pas ordre Alphabétique.")
                                   : QStringLiteral("Liste triée pas date d'achat.");
}

QString confirmation(const GrilleImprimable &g, const QString &peripherique, int pages) {
  QString desc = description(g.typeListe, g.acheteurChoisi);
  if (g.typeListe == 3)
    desc += u'.';
  return desc + QStringLiteral("\r\r") + texteTri(g.reponse) + QStringLiteral("\r\rImpression sur : ") +
         peripherique + QStringLiteral("\r\rNombre de page nécessaire à l'impression : ") +
         QString::number(pages);
}

double millimetres(const QString &texte) {
  // Like the classic Val: the leading number, blanks skipped; a decimal
  // comma is accepted as well since French users type one.
  QString s = texte.trimmed();
  int n = 0;
  if (n < s.size() && (s[n] == u'-' || s[n] == u'+'))
    ++n;
  bool chiffres = false, virgule = false;
  for (; n < s.size(); ++n) {
    if (s[n].isDigit() && s[n].unicode() < 128)
      chiffres = true;
    else if ((s[n] == u'.' || s[n] == u',') && !virgule)
      virgule = true;
    else
      break;
  }
  if (!chiffres)
    return 0;
  bool ok = false;
  double v = s.left(n).replace(u',', u'.').toDouble(&ok);
  return ok ? v : 0;
}

namespace {
constexpr double TitrePoints = 14, CorpsPoints = 8, EntetePoints = 10;
constexpr double BasDePage = 270; // mm on A4 portrait: no row starts a page's last stretch below this
constexpr double Gouttiere = 1.5; // mm kept free before the next column

QString enUneLigne(QString t) {
  t.replace(u'\r', QStringLiteral(" : "));
  t.remove(u'\n');
  return t.trimmed();
}

struct Colonne {
  int cellule; // grid column, or -1 for the row number
  double x;
};

// Where each printed cell goes. The catalogue and buyer lists and the loan
// history keep their fixed positions; the loan list and the filtered
// listings hold the line number in column 0 and a variable set of columns
// after it, so those columns share the body in the grid's proportions.
QList<Colonne> colonnes(const GrilleImprimable &g, const QList<int> &imprimees, double gauche,
                        double droite) {
  switch (g.typeListe) {
  case 1: {
    QList<Colonne> cols{{0, gauche}};
    QList<int> utiles;
    int nbCol = 0;
    for (const QStringList &l : g.lignes)
      nbCol = std::max<int>(nbCol, l.size());
    for (int c = 1; c < nbCol; ++c) {
      bool plein = !g.lignes.value(0).value(c).trimmed().isEmpty();
      for (int i : imprimees)
        plein = plein || !g.lignes[i].value(c).trimmed().isEmpty();
      if (plein)
        utiles.append(c);
    }
    double total = 0;
    for (int c : utiles)
      total += std::max(1, g.largeurs.value(c, 1));
    double x = gauche + 8;
    const double place = std::max(droite - x, 0.0);
    for (int c : utiles) {
      cols.append({c, x});
      x += place * std::max(1, g.largeurs.value(c, 1)) / total;
    }
    return cols;
  }
  case 2:
    return {{-1, gauche}, {0, gauche + 8}, {1, gauche + 110}, {2, gauche + 160}};
  default:
    return {{0, gauche}, {1, gauche + 8}, {2, gauche + 150}};
  }
}

OpDessin texte(double x, double y, const QString &t, double points, double largeurMax = 0) {
  OpDessin op;
  op.genre = OpDessin::Texte;
  op.x = x;
  op.y = y;
  op.texte = t;
  op.points = points;
  op.largeurMax = largeurMax;
  return op;
}

OpDessin trace(OpDessin::Genre genre, double x1, double y1, double x2, double y2) {
  OpDessin op;
  op.genre = genre;
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  return op;
}

OpDessin trait(int pixels) {
  OpDessin op;
  op.genre = OpDessin::Trait;
  op.pixels = pixels;
  return op;
}

// The size at which a text fits its room: printed smaller, never cut.
double reduire(const MesuresImpression &m, const QString &t, double points, double place) {
  for (double w = m.mesurer(Police, points, true, t).width(); w > place && place > 0 && points > 1;
       w = m.mesurer(Police, points, true, t).width())
    points *= place / w * 0.995;
  return points;
}
} // namespace

MiseEnPage mettreEnPage(const GrilleImprimable &g, const MesuresImpression &mesures) {
  MiseEnPage m;
  const int type = (g.typeListe >= 0 && g.typeListe <= 3) ? g.typeListe : 0;
  const double largeur = mesures.largeurImprimable(), hauteurPage = mesures.hauteurImprimable();
  const double gauche = 20 - millimetres(g.margeGauche);
  const double y0 = 15 - millimetres(g.margeHaut);
  auto taille = [&](double points, const QString &t) { return mesures.mesurer(Police, points, true, t); };
  const double h8 = taille(CorpsPoints, QStringLiteral("Ag")).height();

  // First-page title, framed, with a shadow below and on the right.
  const QString t = titre(type, g.acheteurChoisi);
  const double pointsTitre = reduire(mesures, t, TitrePoints, largeur - 10);
  const double w = taille(pointsTitre, t).width(), h = taille(pointsTitre, t).height();
  const double x0 = (largeur - w) / 2;
  m.ops << texte(x0, y0, t, pointsTitre) << trait(10)
        << trace(OpDessin::Rectangle, x0 - 4, y0 - 3, x0 + w + 4, y0 + h + 3) << trait(25)
        << trace(OpDessin::Ligne, x0 - 3, y0 + h + 4, x0 + w + 5, y0 + h + 4)
        << trace(OpDessin::Ligne, x0 + w + 5, y0 + h + 4, x0 + w + 5, y0 - 2);

  // Rows 1 to R-2; the loan lists end at their first empty line.
  QList<int> imprimees;
  for (int i = 1; i <= g.lignes.size() - 2; ++i) {
    if ((type == 1 || type == 2) && g.lignes[i].value(0).trimmed().isEmpty())
      break;
    imprimees.append(i);
  }

  const double droite = gauche > 0 ? largeur - gauche : largeur;
  QList<Colonne> cols = colonnes(g, imprimees, gauche, droite);
  auto cellule = [&](const Colonne &c, int i) { return c.cellule < 0 ? QString::number(i) : g.lignes[i].value(c.cellule); };
  // On a paper narrower than A4 the columns close up, so that the widest
  // text of the last one (and the history's last heading) still ends on it.
  double serrage = 1;
  auto tenir = [&](double decalage, double largeurTexte) {
    if (decalage > 0)
      serrage = std::min(serrage, std::max(0.0, largeur - gauche - largeurTexte) / decalage);
  };
  for (int i : imprimees)
    tenir(cols.last().x - gauche, taille(CorpsPoints, cellule(cols.last(), i)).width());
  if (type == 2)
    tenir(155, taille(EntetePoints, QStringLiteral("Date de retour")).width());
  for (Colonne &c : cols)
    c.x = gauche + (c.x - gauche) * serrage;

  // The page break was made for A4 portrait: it moves with the paper's
  // printable height, and a taller paper takes as many more rows as fit.
  const double ecart = hauteurPage - mesures.hauteurImprimableA4();
  const int enPlus = ecart > 0 && h8 > 0 ? int(ecart / h8) : 0;
  const int capacite1 = (type == 2 ? 67 : 73) + enPlus, capacite = (type == 2 ? 73 : 79) + enPlus;

  double y = y0 + 20;
  int page = 1, surLaPage = 0;
  struct Pied {
    int op;
    int page;
  };
  QList<Pied> pieds;
  auto piedDePage = [&] {
    y += h8; // an empty line first
    pieds.append({int(m.ops.size()), page});
    m.ops << texte(0, y, QString(), CorpsPoints);
    y += h8;
  };
  auto entete = [&] {
    // The loan history's heading, once at the top of each page.
    const double h10 = taille(EntetePoints, QStringLiteral("Ag")).height();
    const QString titreDvd = QStringLiteral("TITRE DU DVD : ") + enUneLigne(g.titreFiche);
    m.ops << texte(gauche, y, titreDvd, reduire(mesures, titreDvd, EntetePoints, largeur - gauche));
    y += h10;
    m.ops << texte(gauche + 3 * serrage, y, QStringLiteral("Nom de l'emprunteur"), EntetePoints)
          << texte(gauche + 107 * serrage, y, QStringLiteral("Date du prêt"), EntetePoints)
          << texte(gauche + 155 * serrage, y, QStringLiteral("Date de retour"), EntetePoints);
    y += h10;
  };

  if (type == 2)
    entete();
  for (int k = 0; k < imprimees.size(); ++k) {
    const int i = imprimees[k];
    for (int c = 0; c < cols.size(); ++c) {
      const QString texteCellule = cellule(cols[c], i);
      if (texteCellule.isEmpty())
        continue;
      const double limite = (c + 1 < cols.size() ? cols[c + 1].x - Gouttiere : largeur) - cols[c].x;
      m.ops << texte(cols[c].x, y, texteCellule, CorpsPoints, std::max(limite, 1.0));
    }
    y += h8;
    ++surLaPage;
    // A new page only when a row is left for it: the page count and the
    // footers then always agree with the pages that come out. The next row,
    // the empty line and the footer must fit on the paper.
    const bool pleine = surLaPage >= (page == 1 ? capacite1 : capacite) || y > BasDePage + ecart ||
                        y + 3 * h8 > hauteurPage;
    if (pleine && k + 1 < imprimees.size()) {
      piedDePage();
      m.ops << trace(OpDessin::NouvellePage, 0, 0, 0, 0);
      ++page;
      surLaPage = 0;
      y = y0;
      if (type == 2)
        entete();
    }
  }
  piedDePage();
  m.pages = page;

  // Footers, now that the page count is known.
  double xPied = g.reponse == Dialogues::Non ? 95 : 105;
  if (type == 1)
    xPied = 85;
  else if (type == 2)
    xPied = 80;
  const QString desc = description(type, g.acheteurChoisi);
  for (const Pied &p : pieds) {
    OpDessin &op = m.ops[p.op];
    op.texte = desc + QStringLiteral(" - Edition du ") + g.date + QStringLiteral(" - Page n° ") +
               QString::number(p.page) + u'/' + QString::number(m.pages);
    // Pulled left rather than cut at the paper's edge; smaller when even that is not enough.
    op.points = reduire(mesures, op.texte, CorpsPoints, largeur);
    op.x = std::max(0.0, std::min(xPied, largeur - taille(op.points, op.texte).width()));
  }
  return m;
}

QStringList ramenerMarges(GrilleImprimable &g) {
  QStringList avis;
  for (auto [marge, cote, plafond] : {std::tuple{&g.margeGauche, QStringLiteral("gauche"), MargeGaucheMax},
                                  std::tuple{&g.margeHaut, QStringLiteral("haute"), MargeHautMax}}) {
    const double mm = millimetres(*marge);
    if (mm < 0 || mm > plafond) {
      *marge = QString::number(std::clamp(mm, 0.0, plafond));
      avis << QStringLiteral("La marge ") + cote + QStringLiteral(" est ramenée à ") + *marge +
                  QStringLiteral(" mm : le texte sortirait de la page !!!");
    }
  }
  return avis;
}

QString margeTropGrande(const QString &cote, double max) {
  return QStringLiteral("La marge ") + cote + QStringLiteral(" ne peut dépasser ") + QString::number(max) +
         QStringLiteral(" mm : le texte sortirait de la page !!!");
}

void executer(const MiseEnPage &m, Imprimante &imp) {
  for (const OpDessin &op : m.ops) {
    switch (op.genre) {
    case OpDessin::Texte:
      if (imp.nomPolice() != Police || imp.taillePolice() != op.points || !imp.policeGrasse())
        imp.police(Police, op.points, true);
      imp.placer(op.x, op.y);
      imp.imprimer(op.texte, false, op.largeurMax);
      break;
    case OpDessin::Trait:
      imp.epaisseurTrait(op.pixels);
      break;
    case OpDessin::Ligne:
      imp.ligne(op.x, op.y, op.x2, op.y2);
      break;
    case OpDessin::Rectangle:
      imp.rectangle(op.x, op.y, op.x2, op.y2);
      break;
    case OpDessin::NouvellePage:
      imp.nouvellePage();
      break;
    }
  }
}

bool imprimer(const GrilleImprimable &grille, Imprimante &imp, Dialogues &dlg, QWidget *fenetre) {
  GrilleImprimable g = grille;
  for (const QString &avis : ramenerMarges(g))
    dlg.message(avis, Dialogues::BoutonOK + Dialogues::IconeExclamation, QStringLiteral("Message"));
  const MiseEnPage m = mettreEnPage(g, imp);
  const QString peripherique = imp.nomPeripherique();
  if (dlg.message(confirmation(g, peripherique, m.pages), Dialogues::BoutonsOKAnnuler,
                  QStringLiteral("Message")) != Dialogues::OK)
    return false;
  if (fenetre)
    fenetre->setCursor(Qt::WaitCursor);
  executer(m, imp);
  const bool ok = imp.finDocument();
  if (fenetre)
    fenetre->unsetCursor();
  if (!ok)
    dlg.message(QStringLiteral("Impression impossible sur : ") + peripherique + QStringLiteral(" !!!"),
                Dialogues::BoutonOK + Dialogues::IconeExclamation, QStringLiteral("Message"));
  return ok;
}

GrilleImprimable depuis(const QTableWidget &grille, const Variables &v, const QString &date) {
  GrilleImprimable g;
  for (int r = 0; r < grille.rowCount(); ++r) {
    QStringList ligne;
    for (int c = 0; c < grille.columnCount(); ++c) {
      const QTableWidgetItem *it = grille.item(r, c);
      ligne.append(it ? it->text() : QString());
    }
    g.lignes.append(ligne);
  }
  for (int c = 0; c < grille.columnCount(); ++c)
    g.largeurs.append(grille.columnWidth(c));
  g.typeListe = v.typeListe;
  g.reponse = v.reponse;
  g.acheteurChoisi = v.acheteurChoisi;
  g.titreFiche = v.ficheCourante.get(Champ::titre);
  g.margeGauche = v.margeGauche;
  g.margeHaut = v.margeHaut;
  g.date = date;
  return g;
}
} // namespace impression
