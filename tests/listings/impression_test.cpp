#include "listings/impression.h"
#include "listings/listpret.h"
#include "support/fenetre.h"
#include "support/imprimantememoire.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {
constexpr double H8 = 8 * 0.41, H10 = 10 * 0.41;

// A grid as the listings leave it: head row, lines, and empty rows up to 17.
GrilleImprimable grille(int type, const QStringList &entetes, const QList<QStringList> &lignes,
                        const QList<int> &largeurs) {
  GrilleImprimable g;
  g.typeListe = type;
  g.lignes = QList<QStringList>{entetes} + lignes;
  while (g.lignes.size() < std::max(17, int(lignes.size()) + 2))
    g.lignes.append(QStringList(entetes.size(), QString()));
  g.largeurs = largeurs;
  g.margeGauche = g.margeHaut = QStringLiteral("10");
  g.date = QStringLiteral("05/03/2025");
  g.reponse = Dialogues::Non;
  return g;
}

QString film(int i) { return QStringLiteral("Film %1").arg(i, 3, 10, QLatin1Char('0')); }

GrilleImprimable grilleCatalogue(int n, const QString &acheteur = QString()) {
  QList<QStringList> l;
  for (int i = 1; i <= n; ++i)
    l.append({QString::number(i), film(i), QStringLiteral("01/02/2020")});
  GrilleImprimable g = grille(acheteur.isEmpty() ? 0 : 3, {QString(), "TITRES DES DVDS", "ACHAT"}, l, {33, 384, 73});
  g.acheteurChoisi = acheteur;
  return g;
}

GrilleImprimable grilleHistorique(int n) {
  QList<QStringList> l;
  for (int i = 1; i <= n; ++i)
    l.append({QStringLiteral("Emprunteur %1").arg(i), QStringLiteral("01/01/2024"), QStringLiteral("15/01/2024")});
  GrilleImprimable g = grille(2, {"NOM DES EMPRUNTEURS", "DATE DU PRET", "DATE DU RETOUR"}, l, {211, 140, 140});
  g.titreFiche = QStringLiteral("  Le Parrain\r\nDeuxième partie   ");
  return g;
}

GrilleImprimable grillePrets() {
  return grille(1, {QString(), "TITRE", "EMPRUNTEUR", "DATE"},
                {{"1", "Alien", "Paul", "02/02/2024"}, {"2", "Brazil", "Zoé", "03/02/2024"}}, {27, 260, 137, 67});
}

QList<OpDessin> ops(const MiseEnPage &m, OpDessin::Genre genre, const QString &contient = QString()) {
  QList<OpDessin> r;
  for (const OpDessin &op : m.ops)
    if (op.genre == genre && op.texte.contains(contient))
      r.append(op);
  return r;
}
QList<OpDessin> pieds(const MiseEnPage &m) { return ops(m, OpDessin::Texte, QStringLiteral(" - Edition du ")); }

// Index in m.ops of the text, -1 when not printed.
qsizetype indexDe(const MiseEnPage &m, const QString &texte, OpDessin::Genre genre = OpDessin::Texte) {
  for (qsizetype i = 0; i < m.ops.size(); ++i)
    if (m.ops[i].genre == genre && m.ops[i].texte == texte)
      return i;
  return -1;
}
OpDessin op(const MiseEnPage &m, const QString &texte) { return m.ops.value(indexDe(m, texte)); }
} // namespace

TEST(Impression, PagesEtPiedsDuCatalogue) {
  ImprimanteMemoire imp;
  const MiseEnPage m = impression::mettreEnPage(grilleCatalogue(100), imp);
  const QList<OpDessin> p = pieds(m);
  ASSERT_EQ(p.size(), 2);
  EXPECT_EQ(p[0].texte, QStringLiteral("Impression de la liste des DVDs. - Edition du 05/03/2025 - Page n° 1/2"));
  // 73 rows on the first page, the footer closing it, the rest from the top of the second.
  const qsizetype saut = indexDe(m, QString(), OpDessin::NouvellePage);
  EXPECT_TRUE(indexDe(m, film(73)) < saut && saut < indexDe(m, film(74)) && m.ops[saut - 1].texte == p[0].texte);
  EXPECT_DOUBLE_EQ(op(m, film(73)).y, 25 + 72 * H8);
  EXPECT_EQ(op(m, film(74)).y, 5);
  for (auto [n, pages] : {std::pair{1, 1}, {73, 1}, {74, 2}, {152, 2}, {153, 3}})
    EXPECT_EQ(impression::mettreEnPage(grilleCatalogue(n), imp).pages, pages) << n;
  for (auto [n, pages] : {std::pair{67, 1}, {68, 2}, {140, 2}, {141, 3}})
    EXPECT_EQ(impression::mettreEnPage(grilleHistorique(n), imp).pages, pages) << n;
  // A short catalogue prints rows 1 to 15 of its grid, blanks included, then the footer.
  EXPECT_DOUBLE_EQ(pieds(impression::mettreEnPage(grilleCatalogue(5), imp)).value(0).y, 25 + 16 * H8);
}

TEST(Impression, TitreEncadreEtMarges) {
  ImprimanteMemoire imp;
  GrilleImprimable g = grilleCatalogue(3);
  const QString titre = QStringLiteral("LISTE DE MES FILMS DVD (par Filmorel)");
  const double x0 = (200 - titre.size() * 14 * 0.15) / 2;
  g.margeHaut = QStringLiteral("15");
  g.margeGauche = QStringLiteral("7,5");
  MiseEnPage m = impression::mettreEnPage(g, imp);
  EXPECT_EQ(m.ops[0].texte, titre);
  EXPECT_EQ(QList<double>({m.ops[0].x, m.ops[0].y, ops(m, OpDessin::Rectangle).value(0).x}),
            QList<double>({x0, 0, x0 - 4}));
  // Rows start 20 mm below the title, at 20 mm less the left margin.
  EXPECT_EQ(QList<double>({op(m, "1").x, op(m, "1").y, op(m, film(1)).x, op(m, "01/02/2020").x}),
            QList<double>({12.5, 20, 20.5, 162.5}));
  EXPECT_EQ(impression::mettreEnPage(grilleCatalogue(3, "MARTIN"), imp).ops[0].texte,
            QStringLiteral("LISTE DES DVDs ACHETES PAR MARTIN (par Filmorel)"));
}

TEST(Impression, HistoriqueDesPrets) {
  ImprimanteMemoire imp;
  MiseEnPage m = impression::mettreEnPage(grilleHistorique(5), imp);
  const OpDessin titre = op(m, QStringLiteral("TITRE DU DVD : Le Parrain : Deuxième partie"));
  EXPECT_EQ(QList<double>({titre.x, titre.y, op(m, QStringLiteral("Date du prêt")).x}), QList<double>({10, 25, 117}));
  // Five rows: number, name, loan and return dates; the empty rows stop it.
  EXPECT_EQ(QList<double>({op(m, "1").x, op(m, "Emprunteur 1").x, op(m, "01/01/2024").x, op(m, "15/01/2024").x,
                           m.ops.last().x}),
            QList<double>({10, 18, 120, 170, 80}));
  EXPECT_DOUBLE_EQ(op(m, "5").y, 25 + 2 * H10 + 4 * H8);
  EXPECT_DOUBLE_EQ(m.ops.last().y, 25 + 2 * H10 + 6 * H8);
  EXPECT_EQ(m.ops.last().texte,
            QStringLiteral("Impression de la liste des emprunteurs du DVD. - Edition du 05/03/2025 - Page n° 1/1"));
  // A long history repeats the heading at the top of each page.
  m = impression::mettreEnPage(grilleHistorique(80), imp);
  EXPECT_EQ(ops(m, OpDessin::Texte, QStringLiteral("TITRE DU DVD : ")).value(1).y, 5);
}

TEST(Impression, PositionDuPiedEtColonnes) {
  ImprimanteMemoire imp;
  auto pied = [&](GrilleImprimable g, int reponse) {
    g.reponse = reponse;
    return pieds(impression::mettreEnPage(g, imp)).value(0);
  };
  EXPECT_EQ(QList<double>({pied(grilleCatalogue(3), Dialogues::Non).x, pied(grilleCatalogue(3), Dialogues::Oui).x,
                           pied(grillePrets(), Dialogues::Non).x}),
            QList<double>({95, 105, 85}));
  EXPECT_EQ(pied(grillePrets(), Dialogues::Non).texte,
            "Impression de la liste des DVDs prêtés. - Edition du 05/03/2025 - Page n° 1/1");
  EXPECT_EQ(pied(grilleCatalogue(2, "MARTIN"), 1).texte,
            QStringLiteral("Impression de la liste des DVDs de MARTIN - Edition du 05/03/2025 - Page n° 1/1"));
  // On a narrow page the footer is pulled left to end at the edge, and the
  // columns close up so that the dates end on it, the numbers staying put.
  imp.largeur = 150;
  const OpDessin p = pied(grilleCatalogue(3), Dialogues::Oui);
  EXPECT_DOUBLE_EQ(p.x, 150 - p.texte.size() * 8 * 0.15);
  const MiseEnPage etroite = impression::mettreEnPage(grilleCatalogue(3), imp);
  EXPECT_DOUBLE_EQ(op(etroite, "1").x, 10);
  EXPECT_NEAR(op(etroite, "01/02/2020").x + 10 * 8 * 0.15, 150, 1e-9);
  // A long title is cut before the purchase date, never changed.
  imp.largeur = 200;
  GrilleImprimable g = grilleCatalogue(1);
  g.lignes[1][1] = QString(100, u'M');
  EXPECT_DOUBLE_EQ(op(impression::mettreEnPage(g, imp), QString(100, u'M')).largeurMax, 150 - 8 - 1.5);
}

// On every paper, with the printer's real metrics (Arial or its metric
// twin): each drawing on the printable area, as many pages drawn as
// announced, every row once; A4 portrait keeps 73 rows, then 79.
TEST(Impression, ChaquePapierGardeToutSurLaPage) {
  if (!QPrinterInfo::defaultPrinterName().isEmpty())
    GTEST_SKIP() << "a printer is installed: its paper is not ours to change";
  QPrinter &p = imprimanteChoisie();
  const QPageLayout avant = p.pageLayout();
  ImprimanteQt imp;
  QList<GrilleImprimable> grilles{grilleCatalogue(300), grilleCatalogue(300, "MARIE-CHRISTINE DE LA TOUR"),
                                  grilleHistorique(300)};
  grilles[2].titreFiche = QStringLiteral("LE SEIGNEUR DES ANNEAUX : LA COMMUNAUTE DE L'ANNEAU - VERSION LONGUE");
  for (auto papier : {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal})
    for (auto sens : {QPageLayout::Portrait, QPageLayout::Landscape}) {
      p.setPageSize(QPageSize(papier));
      p.setPageOrientation(sens);
      const double largeur = imp.largeurImprimable(), hauteur = imp.hauteurImprimable();
      for (const GrilleImprimable &g : grilles) {
        SCOPED_TRACE(QPageSize::name(papier).toStdString() + (sens ? " paysage" : " portrait") + " type " +
                     std::to_string(g.typeListe));
        const MiseEnPage m = impression::mettreEnPage(g, imp);
        QList<int> rangees{0};
        QStringList lignes;
        QString dehors; // the first drawing off the printable area
        for (const OpDessin &op : m.ops) {
          QRectF r = QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized();
          if (op.genre == OpDessin::Texte) {
            const QSizeF t = imp.mesurer(impression::Police, op.points, true, op.texte);
            r = {op.x, op.y, op.largeurMax > 0 ? std::min(t.width(), op.largeurMax) : t.width(), t.height()};
            if (op.texte.startsWith(QStringLiteral("Film ")) || op.texte.startsWith(QStringLiteral("Emprunteur "))) {
              ++rangees.last();
              lignes << op.texte;
            }
          } else if (op.genre == OpDessin::NouvellePage) {
            rangees << 0;
          }
          if (dehors.isEmpty() && op.genre != OpDessin::NouvellePage && op.genre != OpDessin::Trait &&
              (r.left() < 0 || r.top() < 0 || r.right() > largeur + 1e-6 || r.bottom() > hauteur + 1e-6))
            dehors = QStringLiteral("\"%1\" at %2,%3 to %4,%5")
                         .arg(op.texte).arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
        }
        EXPECT_EQ(dehors, QString());
        EXPECT_EQ(rangees.size(), m.pages);
        EXPECT_EQ(QString::number(lignes.size()) + ' ' + lignes.last(),
                  "300 " + (g.typeListe == 2 ? QStringLiteral("Emprunteur 300") : film(300)));
        EXPECT_EQ(pieds(m).size(), m.pages);
        if (g.typeListe == 0 && papier == QPageSize::A4 && sens == QPageLayout::Portrait)
          EXPECT_EQ(rangees.mid(0, 2), QList<int>({73, 79}));
      }
    }
  p.setPageLayout(avant);
}

TEST(Impression, ConfirmationAnnulationEtMarges) {
  DialoguesScripts dlg;
  QWidget fenetre;
  GrilleImprimable g = grilleCatalogue(100, "MARTIN");
  ImprimanteMemoire imp;

  auto annonce = [](const QString &tri, const QString &sur) {
    return "Impression de la liste des DVDs de MARTIN.\r\rListe triée pas " + tri + ".\r\rImpression sur : " + sur +
           "\r\rNombre de page nécessaire à l'impression : 2";
  };
  dlg.repondre(Dialogues::Annuler, annonce("ordre Alphabétique", imp.nom), Dialogues::BoutonsOKAnnuler, "Message");
  EXPECT_FALSE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_EQ(imp.dessins, 0);

  g.reponse = Dialogues::Oui;
  imp.nom = QStringLiteral("Laser");
  dlg.repondre(Dialogues::OK, annonce("date d'achat", "Laser"), 1, "Message");
  EXPECT_TRUE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_EQ(imp.documentsFinis, 1);

  // A print that fails says so.
  imp.reussite = false;
  dlg.repondre(Dialogues::OK);
  dlg.repondre(Dialogues::OK, QStringLiteral("Impression impossible sur : Laser !!!"), 48, QStringLiteral("Message"));
  EXPECT_FALSE(impression::imprimer(g, imp, dlg, &fenetre));

  // Margins that would push the body and the title off the page are
  // brought back to the largest that fit, with a warning each.
  imp.reussite = true;
  imp.textes.clear();
  g.margeGauche = QStringLiteral("25");
  g.margeHaut = QStringLiteral("30");
  for (const char *cote : {"gauche est ramenée à 20", "haute est ramenée à 12"})
    dlg.repondre(Dialogues::OK, QStringLiteral("La marge %1 mm : le texte sortirait de la page !!!").arg(cote), 48,
                 QStringLiteral("Message"));
  dlg.repondre(Dialogues::OK);
  EXPECT_TRUE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_EQ(QList<double>({imp.textes.value(0).y, imp.textes.value(1).y}), QList<double>({3, 23}));
}

// Printing from the window is the journey's (e2e/impression.sh).
TEST(ImpressionFenetre, UneMargeQuiSortiraitDeLaPageEstRefuseeALaFrappe) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  t.question(Dialogues::Non, QStringLiteral("Voulez-vous un affichage trié par date d'achat ?"));
  QTest::keyClick(f.eansearch, Qt::Key_F12);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  w->mh->selectAll();
  t.avis(QStringLiteral("La marge haute ne peut dépasser 12 mm : le texte sortirait de la page !!!"));
  QTest::keyClicks(w->mh, "13");
  QCoreApplication::processEvents();
  EXPECT_EQ(QStringList({w->mh->text(), f.v().margeHaut}), QStringList({"1", "1"}));
}
