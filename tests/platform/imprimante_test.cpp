#include "listings/impression.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
QString sortie(const QString &programme, const QStringList &arguments) {
  QProcess p;
  p.start(programme, arguments);
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    return QString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

int pagesPdf(const QString &chemin) {
  const QString info = sortie(QStringLiteral("pdfinfo"), {chemin});
  for (const QString &l : info.split(u'\n'))
    if (l.startsWith(QStringLiteral("Pages:")))
      return l.mid(6).trimmed().toInt();
  return -1;
}

GrilleImprimable catalogue(int n) {
  GrilleImprimable g;
  g.lignes.append({QString(), QStringLiteral("TITRES DES DVDS"), QStringLiteral("ACHAT")});
  for (int i = 1; i <= n; ++i)
    g.lignes.append({QString::number(i), QStringLiteral("Film n°%1 : l'été").arg(i), QStringLiteral("14/07/2021")});
  g.lignes.append({QString(), QString(), QString()});
  g.largeurs = {33, 384, 73};
  g.margeGauche = g.margeHaut = QStringLiteral("10");
  g.date = QStringLiteral("05/03/2025");
  g.reponse = Dialogues::Non;
  return g;
}

// The program's printer is shared by every test: leave it with no file
// chosen, as at start.
struct ImprimanteQtTest : ::testing::Test {
  QTemporaryDir dossier;
  void SetUp() override {
    if (!QPrinterInfo::defaultPrinterName().isEmpty())
      GTEST_SKIP() << "a printer is installed: these tests would print on paper";
  }
  void TearDown() override {
    imprimanteChoisieParUtilisateur(false);
    imprimanteChoisie().setOutputFileName(QString());
  }
  QString chemin(const QString &nom) const { return QDir(dossier.path()).filePath(nom); }
};
} // namespace

TEST_F(ImprimanteQtTest, RapportDeDeuxPagesEnPdf) {
  ImprimanteQt imp(dossier.path());
  QStringList ouverts;
  imp.setOuverturePdf([&](const QString &c) { ouverts << c; });
  const QString pdf = chemin(QStringLiteral("impression.pdf"));
  EXPECT_EQ(imp.nomPeripherique(), QDir::toNativeSeparators(pdf));
  // A4 less the 10 mm the file keeps on each side.
  EXPECT_NEAR(imp.largeurImprimable(), 190, 0.5);

  const MiseEnPage m = impression::mettreEnPage(catalogue(100), imp);
  ASSERT_EQ(m.pages, 2);
  impression::executer(m, imp);
  ASSERT_TRUE(imp.finDocument());
  EXPECT_EQ(ouverts, QStringList{pdf});
  EXPECT_EQ(pagesPdf(pdf), 2);

  const QString texte = sortie(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  const QStringList pages = texte.split(u'\f');
  ASSERT_GE(pages.size(), 2);
  EXPECT_TRUE(pages[0].contains(QStringLiteral("LISTE DE MES FILMS DVD (par Filmorel)")));
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Film n°73 : l'été")));
  EXPECT_FALSE(pages[0].contains(QStringLiteral("Film n°74 ")));
  EXPECT_TRUE(pages[0].contains(
      QStringLiteral("Impression de la liste des DVDs. - Edition du 05/03/2025 - Page n° 1/2")));
  EXPECT_FALSE(pages[1].contains(QStringLiteral("LISTE DE MES FILMS")));
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Film n°100 : l'été")));
  EXPECT_TRUE(pages[1].contains(QStringLiteral("Page n° 2/2")));

  // The next print of the same printer starts a new document.
  impression::executer(impression::mettreEnPage(catalogue(3), imp), imp);
  ASSERT_TRUE(imp.finDocument());
  EXPECT_EQ(pagesPdf(pdf), 1);
}

TEST_F(ImprimanteQtTest, PositionCouranteEtLignes) {
  ImprimanteQt imp(dossier.path());
  imp.setOuverturePdf([](const QString &) {});
  imp.police(QStringLiteral("Arial"), 8, true);
  const double h = imp.hauteurTexte(QStringLiteral("A"));
  EXPECT_NEAR(h, 8 * 1.15 * 25.4 / 72, 0.3); // a line of 8 points, in mm
  imp.police(QStringLiteral("Arial"), 16, true);
  EXPECT_NEAR(imp.hauteurTexte(QStringLiteral("A")), 2 * h, 0.2);
  imp.police(QStringLiteral("Arial"), 8, true);

  imp.placer(10, 20);
  imp.imprimer(QStringLiteral("Bonjour"));
  EXPECT_DOUBLE_EQ(imp.x(), 10 + imp.largeurTexte(QStringLiteral("Bonjour")));
  EXPECT_DOUBLE_EQ(imp.y(), 20);
  imp.imprimer(QStringLiteral(" au revoir"), true);
  EXPECT_DOUBLE_EQ(imp.x(), 0);
  EXPECT_DOUBLE_EQ(imp.y(), 20 + h);
  imp.epaisseurTrait(25);
  imp.ligne(0, 50, 100, 50);
  imp.rectangle(10, 60, 50, 80);
  imp.nouvellePage();
  EXPECT_DOUBLE_EQ(imp.y(), 0);
  imp.imprimer(QStringLiteral("page 2"));
  ASSERT_TRUE(imp.finDocument());
  const QString pdf = chemin(QStringLiteral("impression.pdf"));
  EXPECT_EQ(pagesPdf(pdf), 2);
  const QStringList pages = sortie(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).split(u'\f');
  EXPECT_TRUE(pages.value(0).contains(QStringLiteral("Bonjour au revoir")));
  EXPECT_TRUE(pages.value(1).contains(QStringLiteral("page 2")));
}

TEST_F(ImprimanteQtTest, FichierChoisiEtEchec) {
  // A file picked in the set-up holds whatever the data folder.
  const QString choisi = chemin(QStringLiteral("ma liste.pdf"));
  imprimanteChoisie().setOutputFileName(choisi);
  ImprimanteQt imp(chemin(QStringLiteral("ailleurs")));
  QStringList ouverts;
  imp.setOuverturePdf([&](const QString &c) { ouverts << c; });
  EXPECT_EQ(imp.nomPeripherique(), QDir::toNativeSeparators(choisi));
  imp.imprimer(QStringLiteral("x"));
  ASSERT_TRUE(imp.finDocument());
  EXPECT_EQ(pagesPdf(choisi), 1);

  // A file that cannot be written: reported, nothing opened.
  imprimanteChoisie().setOutputFileName(chemin(QStringLiteral("absent/liste.pdf")));
  imp.imprimer(QStringLiteral("x"));
  imp.nouvellePage();
  EXPECT_FALSE(imp.finDocument());
  EXPECT_EQ(ouverts, QStringList{choisi});
  // An empty report still makes its one page.
  imprimanteChoisie().setOutputFileName(choisi);
  EXPECT_TRUE(imp.finDocument());
  EXPECT_EQ(pagesPdf(choisi), 1);
}

TEST_F(ImprimanteQtTest, ConfigurationSurLImprimanteCommune) {
  DialoguesQt dlg;
  QPrinter *vu = nullptr;
  auto repondre = [&](bool accepter) {
    QTimer::singleShot(0, [&, accepter] {
      auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
      ASSERT_NE(d, nullptr);
      vu = d->printer();
      accepter ? d->accept() : d->reject();
    });
  };
  repondre(false);
  EXPECT_FALSE(dlg.configurerImprimante());
  EXPECT_EQ(vu, &imprimanteChoisie());
  vu = nullptr;
  repondre(true);
  EXPECT_TRUE(dlg.configurerImprimante());
  EXPECT_EQ(vu, &imprimanteChoisie());
}
