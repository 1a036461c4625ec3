#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QtPrintSupport>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {
// The pages of a PDF file as pdftotext reads them.
QStringList pagesPdf(const QString &chemin) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {chemin, QStringLiteral("-")});
  if (!p.waitForFinished(20000) || p.exitCode() != 0)
    return {};
  QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
  pages.removeLast(); // after the last form feed
  return pages;
}

// The program's printer is shared by every test: leave it with no file chosen, as at start.
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

TEST_F(ImprimanteQtTest, RapportEnPdfDansLeDossierDesDonnees) {
  ImprimanteQt imp(dossier.path());
  QStringList ouverts;
  imp.setOuverturePdf([&](const QString &c) { ouverts << c; });
  const QString pdf = chemin(QStringLiteral("impression.pdf"));
  EXPECT_EQ(imp.nomPeripherique(), QDir::toNativeSeparators(pdf));
  // Accents come out as typed; pages and footers of long lists are the printing journey's.
  imp.imprimer(QStringLiteral("Film n°73 : l'été"));
  ASSERT_TRUE(imp.finDocument());
  EXPECT_EQ(ouverts, QStringList{pdf});
  const QStringList pages = pagesPdf(pdf);
  EXPECT_TRUE(pages.size() == 1 && pages[0].contains(QStringLiteral("Film n°73 : l'été"))) << pages.join('|').toStdString();
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
  EXPECT_EQ(pagesPdf(choisi).size(), 1);
  // A file that cannot be written: reported, nothing opened.
  imprimanteChoisie().setOutputFileName(chemin(QStringLiteral("absent/liste.pdf")));
  imp.imprimer(QStringLiteral("x"));
  EXPECT_FALSE(imp.finDocument());
  EXPECT_EQ(ouverts, QStringList{choisi});
}
