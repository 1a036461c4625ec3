#include "listings/impression.h"
#include "listings/listpret.h"
#include "platform/dialogues.h"
#include "support/dialoguesscripts.h"
#include "support/fenetre.h"
#include "support/imprimantememoire.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
const QString Date = QStringLiteral("05/03/2025");
constexpr double H8 = 8 * 0.41, H10 = 10 * 0.41;

// A grid as the listings leave it: head row, lines, and empty rows up to 17.
GrilleImprimable grille(int type, const QStringList &entetes, const QList<QStringList> &lignes,
                        const QList<int> &largeurs) {
  GrilleImprimable g;
  g.typeListe = type;
  g.lignes.append(entetes);
  g.lignes += lignes;
  const int rangees = lignes.size() < 16 ? 17 : int(lignes.size()) + 2;
  while (g.lignes.size() < rangees)
    g.lignes.append(QStringList(entetes.size(), QString()));
  g.largeurs = largeurs;
  g.margeGauche = g.margeHaut = QStringLiteral("10");
  g.date = Date;
  g.reponse = Dialogues::Non;
  return g;
}

QString film(int i) { return QStringLiteral("Film %1").arg(i, 3, 10, QLatin1Char('0')); }

GrilleImprimable grilleCatalogue(int n) {
  QList<QStringList> l;
  for (int i = 1; i <= n; ++i)
    l.append({QString::number(i), film(i), QStringLiteral("01/02/2020")});
  return grille(0, {QString(), QStringLiteral("TITRES DES DVDS"), QStringLiteral("ACHAT")}, l, {33, 384, 73});
}

GrilleImprimable grilleHistorique(int n) {
  QList<QStringList> l;
  for (int i = 1; i <= n; ++i)
    l.append({QStringLiteral("Emprunteur %1").arg(i), QStringLiteral("01/01/2024"), QStringLiteral("15/01/2024")});
  GrilleImprimable g = grille(2, {QStringLiteral("NOM DES EMPRUNTEURS"), QStringLiteral("DATE DU PRET"),
                                  QStringLiteral("DATE DU RETOUR")}, l, {211, 140, 140});
  g.titreFiche = QStringLiteral("  Le Parrain\r\nDeuxième partie   ");
  return g;
}

QList<OpDessin> ops(const MiseEnPage &m, OpDessin::Genre genre) {
  QList<OpDessin> r;
  for (const OpDessin &op : m.ops)
    if (op.genre == genre)
      r.append(op);
  return r;
}

QList<OpDessin> pieds(const MiseEnPage &m) {
  QList<OpDessin> r;
  for (const OpDessin &op : ops(m, OpDessin::Texte))
    if (op.texte.contains(QStringLiteral(" - Edition du ")))
      r.append(op);
  return r;
}

// Index in m.ops of the text, -1 when not printed.
qsizetype indexDe(const MiseEnPage &m, const QString &texte) {
  for (qsizetype i = 0; i < m.ops.size(); ++i)
    if (m.ops[i].genre == OpDessin::Texte && m.ops[i].texte == texte)
      return i;
  return -1;
}
} // namespace

TEST(Impression, PagesEtPiedsDuCatalogue) {
  ImprimanteMemoire imp;
  const MiseEnPage m = impression::mettreEnPage(grilleCatalogue(100), imp);
  ASSERT_EQ(m.pages, 2);
  const QList<OpDessin> p = pieds(m);
  ASSERT_EQ(p.size(), 2);
  EXPECT_EQ(p[0].texte, QStringLiteral("Impression de la liste des DVDs. - Edition du 05/03/2025 - Page n° 1/2"));
  EXPECT_EQ(p[1].texte, QStringLiteral("Impression de la liste des DVDs. - Edition du 05/03/2025 - Page n° 2/2"));

  // 73 rows on the first page, the rest from the top of the second.
  ASSERT_EQ(ops(m, OpDessin::NouvellePage).size(), 1);
  qsizetype saut = 0;
  while (m.ops[saut].genre != OpDessin::NouvellePage)
    ++saut;
  const qsizetype i74 = indexDe(m, film(74));
  EXPECT_LT(indexDe(m, film(73)), saut);
  EXPECT_GT(i74, saut);
  EXPECT_EQ(m.ops[saut - 1].texte, p[0].texte); // the footer closes page 1
  EXPECT_DOUBLE_EQ(m.ops[i74].y, 5.0); // y0, no title on the next pages
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, film(73))].y, 25 + 72 * H8);
  EXPECT_EQ(indexDe(m, QStringLiteral("LISTE DE MES FILMS DVD (par Filmorel)")), 0);
  EXPECT_EQ(ops(m, OpDessin::Texte).count(), 1 + 3 * 100 + 2); // title, cells, footers

  // Page counts at the edges of the first and second pages.
  for (auto [n, pages] : {std::pair{1, 1}, {73, 1}, {74, 2}, {152, 2}, {153, 3}})
    EXPECT_EQ(impression::mettreEnPage(grilleCatalogue(n), imp).pages, pages) << n;
  for (auto [n, pages] : {std::pair{67, 1}, {68, 2}, {140, 2}, {141, 3}})
    EXPECT_EQ(impression::mettreEnPage(grilleHistorique(n), imp).pages, pages) << n;
  // Exactly full first page: no page left with a footer alone.
  const MiseEnPage plein = impression::mettreEnPage(grilleCatalogue(73), imp);
  EXPECT_TRUE(ops(plein, OpDessin::NouvellePage).isEmpty());
  EXPECT_TRUE(pieds(plein)[0].texte.endsWith(QStringLiteral("Page n° 1/1")));
}

TEST(Impression, TitreEncadreEtMarges) {
  ImprimanteMemoire imp;
  GrilleImprimable g = grilleCatalogue(3);
  const QString titre = QStringLiteral("LISTE DE MES FILMS DVD (par Filmorel)");
  const double w = titre.size() * 14 * 0.15, h = 14 * 0.41, x0 = (200 - w) / 2;

  g.margeHaut = QStringLiteral("15");
  g.margeGauche = QStringLiteral("7,5");
  MiseEnPage m = impression::mettreEnPage(g, imp);
  const OpDessin t = m.ops[0];
  EXPECT_EQ(t.texte, titre);
  EXPECT_DOUBLE_EQ(t.x, x0);
  EXPECT_DOUBLE_EQ(t.y, 0.0);
  EXPECT_EQ(t.points, 14);
  ASSERT_EQ(ops(m, OpDessin::Trait).size(), 2);
  EXPECT_EQ(ops(m, OpDessin::Trait)[0].pixels, 10);
  EXPECT_EQ(ops(m, OpDessin::Trait)[1].pixels, 25);
  const OpDessin cadre = ops(m, OpDessin::Rectangle).value(0);
  EXPECT_DOUBLE_EQ(cadre.x, x0 - 4);
  EXPECT_DOUBLE_EQ(cadre.y, -3);
  EXPECT_DOUBLE_EQ(cadre.x2, x0 + w + 4);
  EXPECT_DOUBLE_EQ(cadre.y2, h + 3);
  const QList<OpDessin> ombre = ops(m, OpDessin::Ligne);
  ASSERT_EQ(ombre.size(), 2);
  EXPECT_DOUBLE_EQ(ombre[0].x, x0 - 3);
  EXPECT_DOUBLE_EQ(ombre[0].y, h + 4);
  EXPECT_DOUBLE_EQ(ombre[0].x2, x0 + w + 5);
  EXPECT_DOUBLE_EQ(ombre[1].x, x0 + w + 5);
  EXPECT_DOUBLE_EQ(ombre[1].y2, -2);
  // Rows start 20 mm below the title, at 20 mm less the left margin.
  const OpDessin premier = m.ops[indexDe(m, QStringLiteral("1"))];
  EXPECT_DOUBLE_EQ(premier.x, 12.5);
  EXPECT_DOUBLE_EQ(premier.y, 20.0);
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, film(1))].x, 20.5);
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("01/02/2020"))].x, 162.5);

  g.margeHaut = QStringLiteral("5");
  m = impression::mettreEnPage(g, imp);
  EXPECT_DOUBLE_EQ(m.ops[0].y, 10.0);
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("1"))].y, 30.0);

  g.typeListe = 3;
  g.acheteurChoisi = QStringLiteral("MARTIN");
  EXPECT_EQ(impression::mettreEnPage(g, imp).ops[0].texte,
            QStringLiteral("LISTE DES DVDs ACHETES PAR MARTIN (par Filmorel)"));
}

TEST(Impression, HistoriqueDesPrets) {
  ImprimanteMemoire imp;
  MiseEnPage m = impression::mettreEnPage(grilleHistorique(5), imp);
  ASSERT_EQ(m.pages, 1);
  // Heading block once, under the title.
  const OpDessin titre = m.ops[indexDe(m, QStringLiteral("TITRE DU DVD : Le Parrain : Deuxième partie"))];
  EXPECT_DOUBLE_EQ(titre.x, 10);
  EXPECT_DOUBLE_EQ(titre.y, 25);
  EXPECT_EQ(titre.points, 10);
  const OpDessin nom = m.ops[indexDe(m, QStringLiteral("Nom de l'emprunteur"))];
  EXPECT_DOUBLE_EQ(nom.x, 13);
  EXPECT_DOUBLE_EQ(nom.y, 25 + H10);
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("Date du prêt"))].x, 117);
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("Date de retour"))].x, 165);

  // Five rows: number, name, loan and return dates; the empty rows stop it.
  const double y1 = 25 + 2 * H10;
  for (int i = 1; i <= 5; ++i) {
    const OpDessin n = m.ops[indexDe(m, QString::number(i))];
    EXPECT_DOUBLE_EQ(n.x, 10);
    EXPECT_DOUBLE_EQ(n.y, y1 + (i - 1) * H8);
    EXPECT_EQ(n.points, 8);
    EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("Emprunteur %1").arg(i))].x, 18);
  }
  EXPECT_EQ(indexDe(m, QStringLiteral("6")), -1);
  EXPECT_EQ(m.ops.last().texte,
            QStringLiteral("Impression de la liste des emprunteurs du DVD. - Edition du 05/03/2025 - Page n° 1/1"));
  EXPECT_DOUBLE_EQ(m.ops.last().x, 80);
  EXPECT_DOUBLE_EQ(m.ops.last().y, y1 + 5 * H8 + H8);
  const QList<OpDessin> dates = ops(m, OpDessin::Texte);
  EXPECT_EQ(std::count_if(dates.begin(), dates.end(), [](const OpDessin &o) { return o.texte == "01/01/2024" && o.x == 120; }), 5);
  EXPECT_EQ(std::count_if(dates.begin(), dates.end(), [](const OpDessin &o) { return o.texte == "15/01/2024" && o.x == 170; }), 5);

  // A long history repeats the heading at the top of each page.
  m = impression::mettreEnPage(grilleHistorique(80), imp);
  ASSERT_EQ(m.pages, 2);
  QList<double> entetes;
  for (const OpDessin &op : ops(m, OpDessin::Texte))
    if (op.texte.startsWith(QStringLiteral("TITRE DU DVD : ")))
      entetes.append(op.y);
  EXPECT_EQ(entetes, (QList<double>{25, 5}));
  EXPECT_DOUBLE_EQ(m.ops[indexDe(m, QStringLiteral("68"))].y, 5 + 2 * H10);
}

TEST(Impression, CatalogueCourtImprimeLesLignesVides) {
  ImprimanteMemoire imp;
  const MiseEnPage m = impression::mettreEnPage(grilleCatalogue(5), imp);
  EXPECT_EQ(m.pages, 1);
  const QList<OpDessin> p = pieds(m);
  ASSERT_EQ(p.size(), 1);
  // Rows 1 to 15 of the 17-row grid, ten of them blank, then an empty line.
  EXPECT_DOUBLE_EQ(p[0].y, 25 + 15 * H8 + H8);
  EXPECT_EQ(ops(m, OpDessin::Texte).size(), 1 + 3 * 5 + 1);
}

TEST(Impression, PositionDuPied) {
  ImprimanteMemoire imp;
  auto x = [&](GrilleImprimable g, int reponse) {
    g.reponse = reponse;
    return pieds(impression::mettreEnPage(g, imp)).value(0);
  };
  EXPECT_DOUBLE_EQ(x(grilleCatalogue(3), Dialogues::Non).x, 95);
  EXPECT_DOUBLE_EQ(x(grilleCatalogue(3), Dialogues::Oui).x, 105);
  EXPECT_DOUBLE_EQ(x(grilleHistorique(3), Dialogues::Non).x, 80);
  GrilleImprimable prets = grille(1, {QString(), "TITRE", "EMPRUNTEUR", "DATE"}, {{"1", "Alien", "Paul", "02/02/2024"}},
                                  {27, 260, 137, 67});
  EXPECT_DOUBLE_EQ(x(prets, Dialogues::Non).x, 85);
  EXPECT_EQ(x(prets, Dialogues::Non).texte,
            QStringLiteral("Impression de la liste des DVDs prêtés. - Edition du 05/03/2025 - Page n° 1/1"));
  GrilleImprimable achats = grilleCatalogue(2);
  achats.typeListe = 3;
  achats.acheteurChoisi = QStringLiteral("MARTIN");
  EXPECT_DOUBLE_EQ(x(achats, 1).x, 105);
  EXPECT_EQ(x(achats, 1).texte,
            QStringLiteral("Impression de la liste des DVDs de MARTIN - Edition du 05/03/2025 - Page n° 1/1"));

  // On a narrow page the footer is pulled left to end at the edge.
  imp.largeur = 150;
  const OpDessin p = x(grilleCatalogue(3), Dialogues::Oui);
  EXPECT_DOUBLE_EQ(p.x, 150 - p.texte.size() * 8 * 0.15);
}

TEST(Impression, ColonnesDesListesDePretsEtFiltrees) {
  ImprimanteMemoire imp;
  // Loan list: number once, then title, borrower and date on the same line.
  GrilleImprimable prets = grille(1, {QString(), "TITRE", "EMPRUNTEUR", "DATE"},
                                  {{"1", "Alien", "Paul", "02/02/2024"}, {"2", "Brazil", "Zoé", "03/02/2024"}},
                                  {27, 260, 137, 67});
  MiseEnPage m = impression::mettreEnPage(prets, imp);
  QList<OpDessin> ligne1;
  for (const OpDessin &op : ops(m, OpDessin::Texte))
    if (op.y == 25)
      ligne1.append(op);
  ASSERT_EQ(ligne1.size(), 4);
  QStringList textes;
  for (const OpDessin &op : ligne1)
    textes << op.texte;
  EXPECT_EQ(textes, (QStringList{"1", "Alien", "Paul", "02/02/2024"}));
  EXPECT_DOUBLE_EQ(ligne1[0].x, 10);
  EXPECT_DOUBLE_EQ(ligne1[1].x, 18);
  for (int c = 1; c < 4; ++c) {
    EXPECT_GT(ligne1[c].x, ligne1[c - 1].x);
    // Each cell stops short of the next one: nothing overlaps.
    EXPECT_LE(ligne1[c - 1].x + ligne1[c - 1].largeurMax, ligne1[c].x);
  }
  // Body from 10 to 190 mm: the columns share 172 mm in the grid's ratios.
  EXPECT_NEAR(ligne1[2].x - ligne1[1].x, 172.0 * 260 / 464, 1e-9);
  EXPECT_EQ(indexDe(m, QStringLiteral("3")), -1);

  // Filtered listing: column 2 holds nothing, so the title has the line.
  GrilleImprimable filtre = grille(1, {QString(), "TITRE DU DVD", QString()},
                                   {{"1", "Un titre", QString()}}, {37, 453, 64});
  m = impression::mettreEnPage(filtre, imp);
  const OpDessin t = m.ops[indexDe(m, QStringLiteral("Un titre"))];
  EXPECT_DOUBLE_EQ(t.x, 18);
  EXPECT_DOUBLE_EQ(t.largeurMax, 200 - 18);
  EXPECT_EQ(ops(m, OpDessin::Texte).size(), 1 + 2 + 1);

  // Catalogue: a long title is cut before the purchase date, never changed.
  GrilleImprimable g = grilleCatalogue(1);
  g.lignes[1][1] = QString(100, u'M');
  m = impression::mettreEnPage(g, imp);
  const OpDessin long_ = m.ops[indexDe(m, QString(100, u'M'))];
  EXPECT_DOUBLE_EQ(long_.largeurMax, 150 - 8 - 1.5);
}

TEST(Impression, MargesEnNombres) {
  EXPECT_EQ(impression::millimetres("10"), 10);
  EXPECT_EQ(impression::millimetres(" 7,5 "), 7.5);
  EXPECT_EQ(impression::millimetres("7.25mm"), 7.25);
  EXPECT_EQ(impression::millimetres("-3"), -3);
  EXPECT_EQ(impression::millimetres("abc"), 0);
  EXPECT_EQ(impression::millimetres(""), 0);
  EXPECT_EQ(impression::millimetres("."), 0);
}

TEST(Impression, ConfirmationAnnulationEtSablier) {
  ImprimanteMemoire imp;
  DialoguesScripts dlg;
  QWidget fenetre;
  fenetre.setCursor(Qt::CrossCursor);
  GrilleImprimable g = grilleCatalogue(100);
  g.typeListe = 3;
  g.acheteurChoisi = QStringLiteral("MARTIN");

  const QString attendu = QStringLiteral(
      "Impression de la liste des DVDs de MARTIN.\r\rListe triée pas ordre Alphabétique.\r\r"
      "Impression sur : Imprimante de test\r\rNombre de page nécessaire à l'impression : 2");
  dlg.repondre(Dialogues::Annuler, attendu, Dialogues::BoutonsOKAnnuler, QStringLiteral("Message"));
  EXPECT_FALSE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_TRUE(imp.traces.isEmpty());
  EXPECT_EQ(imp.documentsFinis, 0);
  EXPECT_EQ(fenetre.cursor().shape(), Qt::CrossCursor);

  g.reponse = Dialogues::Oui;
  Qt::CursorShape pendant = Qt::ArrowCursor;
  imp.nom = QStringLiteral("Laser");
  dlg.repondre(DialoguesScripts::Attendu{Dialogues::OK,
                                         QStringLiteral("Impression de la liste des DVDs de MARTIN.\r\rListe "
                                                        "triée pas date d'achat.\r\rImpression sur : Laser\r\r"
                                                        "Nombre de page nécessaire à l'impression : 2"),
                                         1, QStringLiteral("Message")});
  struct Espion : ImprimanteMemoire {
    QWidget *w;
    Qt::CursorShape *vu;
    bool finDocument() override {
      *vu = w->cursor().shape();
      return ImprimanteMemoire::finDocument();
    }
  } espion;
  espion.nom = QStringLiteral("Laser");
  espion.w = &fenetre;
  espion.vu = &pendant;
  EXPECT_TRUE(impression::imprimer(g, espion, dlg, &fenetre));
  EXPECT_EQ(pendant, Qt::WaitCursor);
  EXPECT_EQ(fenetre.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(espion.documentsFinis, 1);
  EXPECT_EQ(espion.traces.count(), (1 + 3 * 100 + 2) + (1 + 2 + 1)); // texts, frame, shadow, page
  EXPECT_EQ(espion.textes().last().texte.right(11), QStringLiteral("Page n° 2/2"));

  // A print that fails says so.
  espion.reussite = false;
  dlg.repondre(Dialogues::OK);
  dlg.repondre(Dialogues::OK, QStringLiteral("Impression impossible sur : Laser !!!"), 48, QStringLiteral("Message"));
  EXPECT_FALSE(impression::imprimer(g, espion, dlg, &fenetre));
  dlg.verifierTousConsommes();
}

TEST(ImpressionFenetre, ImprimeLaGrilleAffichee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  auto imp = std::make_shared<ImprimanteMemoire>();
  f.setImprimante(imp);
  t.dlg.repondre(Dialogues::Non, QStringLiteral("Voulez-vous un affichage trié par date d'achat ?"), 36, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F12);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w && w->isVisible());
  w->Timer1_Timer();
  EXPECT_EQ(w->printdefaut->text(), QStringLiteral("Imprimante de test"));

  t.dlg.repondre(Dialogues::OK,
                 QStringLiteral("Impression de la liste des DVDs.\r\rListe triée pas ordre Alphabétique.\r\r"
                                "Impression sur : Imprimante de test\r\rNombre de page nécessaire à l'impression : 1"),
                 1, "Message");
  QTest::mouseClick(w->imprimer, Qt::LeftButton);
  ASSERT_EQ(imp->documentsFinis, 1);
  QStringList textes;
  for (const auto &tr : imp->textes())
    textes << tr.texte;
  EXPECT_EQ(textes.mid(0, 4), (QStringList{"LISTE DE MES FILMS DVD (par Filmorel)", "1", "Film 001", w->texte(1, 2)}));
  EXPECT_EQ(textes.last(), QStringLiteral("Impression de la liste des DVDs. - Edition du ") + aujourdhui() +
                               QStringLiteral(" - Page n° 1/1"));
  EXPECT_DOUBLE_EQ(imp->textes()[0].y, 5);
  EXPECT_DOUBLE_EQ(imp->textes()[1].x, 10);

  // A margin typed in the window counts for the next print at once.
  w->mh->setText(QStringLiteral("5"));
  imp->traces.clear();
  t.dlg.repondre(Dialogues::OK);
  QTest::mouseClick(w->imprimer, Qt::LeftButton);
  ASSERT_EQ(imp->documentsFinis, 2);
  EXPECT_DOUBLE_EQ(imp->textes()[0].y, 10);

  t.dlg.configurer(true);
  QTest::mouseClick(w->setup_printer, Qt::LeftButton);
  t.dlg.verifierTousConsommes();
}
