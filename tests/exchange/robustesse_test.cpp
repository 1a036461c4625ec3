#include "exchange/echange.h"
#include "storage/historique.h"
#include "support/fenetre.h"

namespace {
// Answers every box with its most harmless button.
struct DialoguesPatients : Dialogues {
  int message(const QString &, int style, const QString &) override {
    return (style & 0x0F) == BoutonsOuiNon ? Non : OK;
  }
  bool saisie(const QString &, const QString &, QString &r, const QString &, const QStringList &) override {
    r = "a";
    return true;
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
// hang, and nothing written outside the data folder.
TEST(Robustesse, LecteursSurOctetsAuHasardOuTronques) {
  QRandomGenerator g(20261206);
  const Fiche modele = catalogue::fiche("3000000000001", "Alien");
  for (int cas = 0; cas < 40; ++cas) {
    QTemporaryDir parent;
    const QString dossier = parent.path() + "/donnees";
    catalogue::ecrire(dossier, catalogue::numerotees(3));
    QDir d(dossier);
    const bool tronque = cas % 2 == 0;
    auto contenu = [&](const QByteArray &valide) {
      return tronque ? valide.left(g.bounded(int(valide.size()) + 1)) : hasard(g, 1 + g.bounded(3000));
    };
    for (const char *nom : {"dvd.lst", "dvd.idx", "dvd.ini"})
      catalogue::ecrireOctets(d.filePath(nom), contenu(catalogue::contenu(d.filePath(nom))));
    catalogue::ecrireOctets(historique::chemin(dossier, "3000000000001"), contenu("Durand\r\n01/01/2005\r\n02/01/2005\r\nMartin\r\n03/01/2005\r\n"));
    catalogue::ecrireOctets(d.filePath("export/export.lst"), contenu(modele.versOctets() + modele.versOctets()));
    catalogue::ecrireOctets(d.filePath("export/export.dat"),
                            contenu("2\r\n\r\nFilm\r\n\r\nAutre\r\n\r\nMono\r\n\r\nMoi\r\n\r\nDurand\r\n"));
    const QStringList avant = catalogue::arborescence(parent.path());

    (void)echange::lireExportDat(catalogue::contenu(d.filePath("export/export.dat")));
    EXPECT_LE(echange::lireExportLst(catalogue::contenu(d.filePath("export/export.lst"))).size(), 2);

    // The whole program on the damaged folder: start, browse, search, list.
    DialoguesPatients dlg;
    const QString ici = QDir::currentPath();
    QDir::setCurrent(dossier);
    {
      Filmorel f(&dlg);
      f.demarrer();
      for (int p = 1; p <= f.VScroll1->maximum(); ++p)
        f.VScroll1->setValue(p);
      f.SM_Recherche_Film_Click();
      f.v().reponseTexte = "F";
      f.recherchedirecte();
      f.recherchepret();
      f.SM_Afficher_Films_Click();
      f.SM_Afficher_Pret_Click();
      for (QWidget *w : QApplication::topLevelWidgets())
        if (w != &f && w->isVisible())
          w->close();
    }
    QDir::setCurrent(ici);
    // Nothing appears beside the data folder.
    for (const QString &chemin : catalogue::arborescence(parent.path()))
      EXPECT_TRUE(chemin.startsWith("donnees") || avant.contains(chemin)) << chemin.toStdString();
  }
}
