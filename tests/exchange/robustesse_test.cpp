#include "exchange/echange.h"
#include "storage/historique.h"
#include "support/fenetre.h"

namespace {
// Answers every box with its most harmless button.
struct DialoguesPatients : Dialogues {
  int message(const QString &, int style, const QString &) override { return (style & 0x0F) == BoutonsOuiNon ? Non : OK; }
  bool saisie(const QString &, const QString &, QString &r, const QString &, const QStringList &) override {
    return !(r = "a").isEmpty();
  }
  QString ouvrirFichier(const QString &, const QString &, const QString &, const QString &) override { return {}; }
  bool configurerImprimante() override { return false; }
};

QByteArray hasard(QRandomGenerator &g, int taille) {
  QByteArray b(taille, '\0');
  for (char &c : b)
    c = char(g.bounded(256));
  // Some line breaks and digits, so line readers get past their first line.
  for (int i = 0; i < taille / 8; ++i)
    b[g.bounded(taille)] = "\r\n0123456789;,"[g.bounded(14)];
  return b;
}
} // namespace

// Every reader on random and truncated bytes: a defined outcome, no crash, no
// hang.
TEST(Robustesse, LecteursSurOctetsAuHasardOuTronques) {
  QRandomGenerator g(20261206);
  DialoguesPatients dlg;
  const QString ici = QDir::currentPath();
  for (int cas = 0; cas < 40; ++cas) {
    QTemporaryDir dir;
    const QString dossier = dir.path();
    catalogue::ecrire(dossier, catalogue::numerotees(3));
    auto contenu = [&](const QByteArray &valide) {
      return cas % 2 ? hasard(g, 1 + g.bounded(3000)) : valide.left(g.bounded(int(valide.size()) + 1));
    };
    for (const char *nom : {"dvd.lst", "dvd.idx", "dvd.ini"})
      catalogue::ecrireOctets(dossier + "/" + nom, contenu(catalogue::contenu(dossier + "/" + nom)));
    catalogue::ecrireOctets(historique::chemin(dossier, "3000000000001"), contenu("Durand\r\n01/01/2005\r\n02/01/2005\r\nMartin\r\n03/01/2005\r\n"));
    (void)echange::lireExportDat(contenu("2\r\n\r\nFilm\r\n\r\nAutre\r\n\r\nMono\r\n\r\nMoi\r\n\r\nDurand\r\n"));
    EXPECT_LE(echange::lireExportLst(contenu(catalogue::numerotees(1)[0].versOctets().repeated(2))).size(), 2);

    // The whole program on the damaged folder: start, browse, search, list.
    QDir::setCurrent(dossier);
    {
      Filmorel f(&dlg);
      f.demarrer();
      for (int p = 1; p <= f.VScroll1->maximum(); ++p)
        f.VScroll1->setValue(p);
      f.recherchepret();
      f.SM_Afficher_Pret_Click();
      QApplication::closeAllWindows();
    }
    QDir::setCurrent(ici);
  }
}
