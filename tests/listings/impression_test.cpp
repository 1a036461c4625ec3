#include "listings/impression.h"
#include "listings/listpret.h"
#include "support/fenetre.h"
#include "support/imprimantememoire.h"

#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString film(int i) { return QStringLiteral("Film %1").arg(i, 3, 10, QLatin1Char('0')); }

// A grid as the listings leave it: head row, n lines, empty rows up to 17.
// Type 0: the catalogue, 3: one buyer's, 2: the loans of a film.
GrilleImprimable grille(int type, int n, const QString &acheteur = QString()) {
  const bool histo = type == 2;
  GrilleImprimable g{{histo ? QStringList{"NOM DES EMPRUNTEURS", "DATE DU PRET", "DATE DU RETOUR"}
                            : QStringList{QString(), "TITRES DES DVDS", "ACHAT"}},
                     histo ? QList<int>{211, 140, 140} : QList<int>{33, 384, 73}, type, Dialogues::Non, acheteur,
                     QStringLiteral("  Le Parrain\r\nDeuxième partie   "), "10", "10", "05/03/2025"};
  for (int i = 1; i <= n; ++i)
    g.lignes.append(histo ? QStringList{QStringLiteral("Emprunteur %1").arg(i), "01/01/2024", "15/01/2024"}
                          : QStringList{QString::number(i), film(i), "01/02/2020"});
  while (g.lignes.size() < std::max(17, n + 2))
    g.lignes.append(QStringList(3, QString()));
  return g;
}

QList<OpDessin> ops(const MiseEnPage &m, OpDessin::Genre genre, const QString &contient = QString()) {
  QList<OpDessin> r;
  for (const OpDessin &op : m.ops)
    if (op.genre == genre && op.texte.contains(contient))
      r.append(op);
  return r;
}
QList<OpDessin> pieds(const MiseEnPage &m) { return ops(m, OpDessin::Texte, QStringLiteral(" - Edition du ")); }
// The first text holding it (the row numbers come before the other cells).
OpDessin op(const MiseEnPage &m, const QString &texte) { return ops(m, OpDessin::Texte, texte).value(0); }
} // namespace

TEST(Impression, PagesEtPieds) {
  ImprimanteMemoire imp;
  for (auto [type, n, pages] : {std::tuple{0, 73, 1}, {0, 74, 2}, {0, 152, 2}, {0, 153, 3}, {2, 67, 1}, {2, 68, 2},
                                {2, 140, 2}, {2, 141, 3}})
    EXPECT_EQ(impression::mettreEnPage(grille(type, n), imp).pages, pages) << type << ' ' << n;
  GrilleImprimable prets = grille(1, 0);
  prets.lignes = {{QString(), "TITRE", "EMPRUNTEUR", "DATE"}, {"1", "Alien", "Paul", "02/02/2024"}};
  prets.largeurs = {27, 260, 137, 67};
  GrilleImprimable parDate = grille(0, 5);
  parDate.reponse = Dialogues::Oui;
  const QString date = QStringLiteral(" - Edition du 05/03/2025 - Page n° ");
  for (auto [g, x, texte] : {std::tuple{grille(0, 100), 95., "Impression de la liste des DVDs." + date + "1/2"},
                             {parDate, 105., "Impression de la liste des DVDs." + date + "1/1"},
                             {prets, 85., "Impression de la liste des DVDs prêtés." + date + "1/1"},
                             {grille(3, 2, "MARTIN"), 95., "Impression de la liste des DVDs de MARTIN" + date + "1/1"},
                             {grille(2, 5), 80., "Impression de la liste des emprunteurs du DVD." + date + "1/1"}}) {
    const OpDessin p = pieds(impression::mettreEnPage(g, imp)).value(0);
    EXPECT_EQ(p.texte + ' ' + QString::number(p.x), texte + ' ' + QString::number(x));
  }
}

TEST(Impression, TitresEtColonnes) {
  ImprimanteMemoire imp;
  GrilleImprimable g = grille(0, 3);
  g.margeHaut = QStringLiteral("15");
  g.margeGauche = QStringLiteral("7,5");
  MiseEnPage m = impression::mettreEnPage(g, imp);
  EXPECT_EQ(QStringList({m.ops[0].texte, impression::mettreEnPage(grille(3, 3, "MARTIN"), imp).ops[0].texte}),
            QStringList({"LISTE DE MES FILMS DVD (par Filmorel)", "LISTE DES DVDs ACHETES PAR MARTIN (par Filmorel)"}));
  // Rows start 20 mm below the title, at 20 mm less the left margin.
  EXPECT_EQ(QList<double>({op(m, "1").x, op(m, "1").y, op(m, film(1)).x, op(m, "01/02/2020").x}),
            QList<double>({12.5, 20, 20.5, 162.5}));
  m = impression::mettreEnPage(grille(2, 80), imp);
  const OpDessin fiche = op(m, QStringLiteral("TITRE DU DVD : Le Parrain : Deuxième partie"));
  EXPECT_EQ(QList<double>({fiche.x, fiche.y, op(m, QStringLiteral("Date du prêt")).x, op(m, "1").x,
                           op(m, "Emprunteur 1").x, op(m, "01/01/2024").x, op(m, "15/01/2024").x}),
            QList<double>({10, 25, 117, 10, 18, 120, 170}));
  // A long history repeats the heading at the top of each page.
  EXPECT_EQ(ops(m, OpDessin::Texte, QStringLiteral("TITRE DU DVD : ")).value(1).y, 5);
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
  QList<GrilleImprimable> grilles{grille(0, 300), grille(3, 300, "MARIE-CHRISTINE DE LA TOUR"), grille(2, 300)};
  grilles[2].titreFiche = QStringLiteral("LE SEIGNEUR DES ANNEAUX : LA COMMUNAUTE DE L'ANNEAU - VERSION LONGUE");
  QMap<int, double> gaucheA4; // on narrow paper the columns close up towards the left margin, not the edge
  for (auto papier : {QPageSize::A4, QPageSize::A5, QPageSize::Letter, QPageSize::Legal})
    for (auto sens : {QPageLayout::Portrait, QPageLayout::Landscape}) {
      p.setPageSize(QPageSize(papier));
      p.setPageOrientation(sens);
      const double largeur = imp.largeurImprimable(), hauteur = imp.hauteurImprimable();
      for (const GrilleImprimable &g : grilles) {
        SCOPED_TRACE(QPageSize::name(papier).toStdString() + ' ' + std::to_string(sens) + std::to_string(g.typeListe));
        const MiseEnPage m = impression::mettreEnPage(g, imp);
        QList<int> rangees{0};
        QString dehors; // the first drawing off the printable area
        QMap<double, double> gaucheLigne; // leftmost text of each line
        double yFilm = -1;
        for (const OpDessin &op : m.ops) {
          QRectF r = QRectF(QPointF(op.x, op.y), QPointF(op.x2, op.y2)).normalized();
          if (op.genre == OpDessin::Texte) {
            const QSizeF t = imp.mesurer(impression::Police, op.points, true, op.texte);
            r = {op.x, op.y, op.largeurMax > 0 ? std::min(t.width(), op.largeurMax) : t.width(), t.height()};
            gaucheLigne[op.y] = std::min(op.x, gaucheLigne.value(op.y, op.x));
            if (op.texte.startsWith(QStringLiteral("Film ")) || op.texte.startsWith(QStringLiteral("Emprunteur ")))
              ++rangees.last(), yFilm = op.y;
          } else if (op.genre == OpDessin::NouvellePage)
            rangees << 0;
          if (dehors.isEmpty() && op.genre != OpDessin::NouvellePage && op.genre != OpDessin::Trait &&
              (r.left() < 0 || r.top() < 0 || r.right() > largeur + 1e-6 || r.bottom() > hauteur + 1e-6))
            QDebug(&dehors) << op.texte << r;
        }
        EXPECT_EQ(dehors, QString());
        const double gauche = gaucheLigne.value(yFilm);
        EXPECT_DOUBLE_EQ(gauche, gaucheA4.contains(g.typeListe) ? gaucheA4[g.typeListe] : gaucheA4[g.typeListe] = gauche);
        EXPECT_EQ(QList<qsizetype>({rangees.size(), pieds(m).size(), std::accumulate(rangees.begin(), rangees.end(), 0)}),
                  QList<qsizetype>({m.pages, m.pages, 300}));
        if (g.typeListe == 0 && papier == QPageSize::A4 && sens == QPageLayout::Portrait)
          EXPECT_EQ(rangees.mid(0, 2), QList<int>({73, 79}));
      }
    }
  p.setPageLayout(avant);
}

TEST(Impression, ConfirmationAnnulationEtMarges) {
  DialoguesScripts dlg;
  QWidget fenetre;
  GrilleImprimable g = grille(3, 100, "MARTIN");
  ImprimanteMemoire imp;
  auto annonce = [](const QString &tri, const QString &sur) {
    return "Impression de la liste des DVDs de MARTIN.\r\rListe triée pas " + tri + ".\r\rImpression sur : " + sur +
           "\r\rNombre de page nécessaire à l'impression : 2";
  };
  dlg.repondre(Dialogues::Annuler, annonce("ordre Alphabétique", imp.nom), Dialogues::BoutonsOKAnnuler, "Message");
  EXPECT_FALSE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_EQ(imp.dessins, 0);
  // A print that fails says so. Margins that would push the body and the
  // title off the page are brought back to the largest that fit, with a warning each.
  g.reponse = Dialogues::Oui;
  imp.nom = QStringLiteral("Laser");
  imp.reussite = false;
  dlg.repondre(Dialogues::OK, annonce("date d'achat", "Laser"), 1, "Message");
  dlg.repondre(Dialogues::OK, QStringLiteral("Impression impossible sur : Laser !!!"), 48, QStringLiteral("Message"));
  EXPECT_FALSE(impression::imprimer(g, imp, dlg, &fenetre));
  imp.reussite = true;
  imp.textes.clear();
  g.margeGauche = QStringLiteral("25");
  g.margeHaut = QStringLiteral("30");
  for (const char *cote : {"gauche est ramenée à 20", "haute est ramenée à 12"})
    dlg.repondre(Dialogues::OK, QStringLiteral("La marge %1 mm : le texte sortirait de la page !!!").arg(cote), 48,
                 QStringLiteral("Message"));
  dlg.repondre(Dialogues::OK);
  EXPECT_TRUE(impression::imprimer(g, imp, dlg, &fenetre));
  EXPECT_EQ(QList<double>({imp.textes.value(0).y, imp.textes.value(1).y, double(imp.documentsFinis)}),
            QList<double>({3, 23, 2}));
}

// Printing from the window is the journey's (e2e/impression.sh).
TEST(ImpressionFenetre, UneMargeQuiSortiraitDeLaPageEstRefuseeALaFrappe) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  t.question(Dialogues::Non, QStringLiteral("Voulez-vous un affichage trié par date d'achat ?"));
  QTest::keyClick(f.eansearch, Qt::Key_F12);
  f.listpret->mh->selectAll();
  t.avis(QStringLiteral("La marge haute ne peut dépasser 12 mm : le texte sortirait de la page !!!"));
  QTest::keyClicks(f.listpret->mh, "13");
  QCoreApplication::processEvents();
  EXPECT_EQ(QStringList({f.listpret->mh->text(), f.v().margeHaut}), QStringList({"1", "1"}));
}
