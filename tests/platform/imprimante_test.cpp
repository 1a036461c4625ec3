#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QtPrintSupport>
#include <QtWidgets>
#include <gtest/gtest.h>

TEST(ImprimanteQt, PdfDansLeDossierDesDonneesOuLeFichierChoisi) {
  if (!QPrinterInfo::defaultPrinterName().isEmpty())
    GTEST_SKIP() << "a printer is installed: this test would print on paper";
  // The program's printer is shared by every test: leave it with no file chosen, as at start.
  const auto remise = qScopeGuard([] {
    imprimanteChoisieParUtilisateur(false);
    imprimanteChoisie().setOutputFileName(QString());
  });
  QTemporaryDir dossier;
  const QString pdf = dossier.filePath("impression.pdf"), choisi = dossier.filePath("ma liste.pdf");
  ImprimanteQt imp(dossier.path());
  QStringList ouverts;
  imp.setOuverturePdf([&](const QString &c) { ouverts << c; });
  // Printed there by default, accents and pages included, in the printing journeys.
  EXPECT_EQ(imp.nomPeripherique(), QDir::toNativeSeparators(pdf));
  // A file picked in the set-up wins; one that cannot be written is reported, and not opened.
  imprimanteChoisie().setOutputFileName(choisi);
  EXPECT_EQ(imp.nomPeripherique(), QDir::toNativeSeparators(choisi));
  imp.imprimer(QStringLiteral("x"));
  ASSERT_TRUE(imp.finDocument());
  QProcess texte; // one page: one form feed
  texte.start(QStringLiteral("pdftotext"), {choisi, QStringLiteral("-")});
  texte.waitForFinished(20000);
  EXPECT_EQ(texte.readAllStandardOutput().count('\f'), 1);
  imprimanteChoisie().setOutputFileName(dossier.filePath(QStringLiteral("absent/liste.pdf")));
  imp.imprimer(QStringLiteral("x"));
  EXPECT_FALSE(imp.finDocument());
  EXPECT_EQ(ouverts, QStringList({choisi}));
}
