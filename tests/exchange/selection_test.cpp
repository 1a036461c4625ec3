#include "exchange/echange.h"
#include "exchange/fenetreimport.h"
#include "storage/cp1252.h"
#include "storage/fichiers.h"
#include "support/fenetre.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const QString kM = "Message";
const QString kAnnulation = "Importation annulée par l'utilisateur !!!    ";

QString succesExport(int n, const QString &dossier) {
  return QString("Exportation de %1 fiche(s) terminée(s) avec succès !!!    \r\rElles se situent dans le dossier :"
                 "\r\r%2\r\rLe fichier des Films se nomme EXPORT.LST\r\rLe second fichier EXPORT.DAT comprend :"
                 "\r     - Les genres\r     - les éditeurs\r     - les noms des acheteurs des Films\r     - les "
                 "formats sonores\r     - les noms pour les films prétés")
      .arg(n)
      .arg(dossier);
}
QString succesImport(int m) {
  return QString("Importation de %1 fiche(s) terminée(s) avec succès !!!    ").arg(m);
}
QString absent(const char *fichier, const QString &dossier) {
  return QString("Le fichier d'importation %1\r\rne se trouve pas sur le disque dur dans le dossier :\r\r%2\r\r"
                 "Voulez-vous le rechercher dans un autre dossier ?")
      .arg(fichier, dossier);
}
QString doublon(const QString &existante, const QString &nouvelle) {
  return "Il y a déjà une fiche avec le même code EAN !\r\rFiche existante :\r" + existante +
         "\r\rFiche à insérer :\r" + nouvelle + "\r\rContinuer quand même l'insertion de cette fiche ?";
}

FenetreImport *ouvrirExport(Filmorel &f) {
  f.SM_Exporter->trigger();
  return f.fenImport;
}
void cocher(FenetreImport *fen, int item, bool coche = true) {
  fen->List->item(item)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
}
void ecrire(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(octets);
}
// An exchange folder as another installation would have written it.
void dossierEchange(const QString &dossier, const QList<Fiche> &fiches, const echange::Listes &listes = {}) {
  QByteArray lst;
  for (const Fiche &f : fiches)
    lst += f.versOctets();
  ecrire(QDir(dossier).filePath("export.lst"), lst);
  ecrire(QDir(dossier).filePath("export.dat"), echange::contenuExportDat(int(fiches.size()), listes));
}
QStringList titresIndex(const QString &dossier, int n) {
  QList<EntreeIndex> e;
  fichiers::lireEntrees(dossier, 1, n, e);
  QStringList l;
  for (const EntreeIndex &x : e)
    l << x.titre().trimmed();
  return l;
}
QStringList items(FenetreImport *fen) {
  QStringList l;
  for (int i = 0; i < fen->List->count(); ++i)
    l << fen->List->item(i)->text();
  return l;
}
} // namespace

TEST(EchangeFenetre, ExportTableurSurQuestionSansToucherALaFicheAffichee) {
  const QString question = "Début de l'extraction des données.\r\rATTENTION ! L'ancien fichier existant sera écrasé."
                           "\r\rContinuer la procédure ?";
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.VScroll1->setValue(2);
  const Fiche affichee = f.v().ficheCourante;
  const QString xls = t.chemin("export.xls");
  ecrire(xls, "ancien");

  t.dlg.repondre(Dialogues::Non, question, 52, kM);
  f.SM_Exporter_Liste->trigger();
  EXPECT_EQ(catalogue::contenu(xls), "ancien");

  t.dlg.repondre(Dialogues::Oui, question, 52, kM)
      .repondre(Dialogues::OK,
                "Exportation terminée avec succès dans le fichier :\r\r" + f.v().cheminAppli +
                    "export.xls\r\r3 fiches exportées et utilisables dans un tableur.",
                64, kM);
  f.SM_Exporter_Liste->trigger();
  const QByteArray octets = catalogue::contenu(xls);
  EXPECT_EQ(octets.size(), 3 * 1041);
  EXPECT_TRUE(octets.startsWith("3000000000001;Film 001 "));
  EXPECT_EQ(octets.mid(2 * 1041, 23), "3000000000003;Film 003 ");
  // The buffer is still the card on display, which a later validation saves.
  EXPECT_EQ(f.v().ficheCourante, affichee);
  EXPECT_EQ(f.Compteur->text(), "2 / 3");
  EXPECT_FALSE(f.Progress->isVisible());
  t.dlg.verifierTousConsommes();

  FenetreTest vide;
  Filmorel &g = vide.ouvrir({});
  vide.dlg.repondre(Dialogues::Oui, question, 52, kM)
      .repondre(Dialogues::OK,
                "Exportation terminée avec succès dans le fichier :\r\r" + g.v().cheminAppli +
                    "export.xls\r\r0 fiches exportées et utilisables dans un tableur.",
                64, kM);
  g.SM_Exporter_Liste->trigger();
  EXPECT_TRUE(QFile::exists(vide.chemin("export.xls")));
  EXPECT_EQ(QFileInfo(vide.chemin("export.xls")).size(), 0);
  vide.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, LeCompteurSuitLesCochesEtAnnulerNeLanceRien) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(5));
  ecrire(t.chemin("export/export.lst"), "ancien");
  FenetreImport *fen = ouvrirExport(f);
  ASSERT_NE(fen, nullptr);
  EXPECT_EQ(fen->objectName(), "import");
  EXPECT_EQ(fen->parent(), nullptr);
  EXPECT_EQ(fen->windowTitle(), "Exporter des Films");
  EXPECT_EQ(fen->button->text(), "&Exporter");
  EXPECT_EQ(fen->jacket->text(), "Inclure dans l'exportation les jackets");
  EXPECT_EQ(fen->selectall->text(), "&Tout sélectionner");
  EXPECT_EQ(fen->annuler->text(), "&Annuler");
  EXPECT_TRUE(fen->isVisible());
  EXPECT_TRUE(fen->isEnabled());
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(items(fen), (QStringList{"Film 001", "Film 002", "Film 003", "Film 004", "Film 005"}));
  EXPECT_EQ(fen->nbselect->text(), "0/5");

  fen->List->setCurrentRow(0);
  QTest::keyClick(fen->List, Qt::Key_Space);
  cocher(fen, 2);
  cocher(fen, 4);
  EXPECT_EQ(fen->nbselect->text(), "3/5");
  cocher(fen, 2, false);
  EXPECT_EQ(fen->nbselect->text(), "2/5");
  EXPECT_EQ(f.v().nbSelection, 2);
  EXPECT_EQ(fen->coches(), (QList<int>{0, 4}));
  QTest::mouseClick(fen->selectall, Qt::LeftButton);
  EXPECT_EQ(fen->nbselect->text(), "5/5");

  QPointer<FenetreImport> garde(fen);
  QTest::mouseClick(fen->annuler, Qt::LeftButton);
  EXPECT_TRUE(!garde || !garde->isVisible());
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.v().selectionAnnulee, 1);
  EXPECT_EQ(f.fenImport, nullptr);
  EXPECT_TRUE(t.dlg.messages.isEmpty());
  EXPECT_EQ(catalogue::contenu(t.chemin("export/export.lst")), "ancien");
}

TEST(EchangeFenetre, ExportDeDeuxFichesSurCinquante) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(50);
  cartes[6].set(Champ::preter, "Oui");
  cartes[6].set(Champ::datepret, "02/03/2004");
  cartes[6].set(Champ::nom, "Durand");
  Reglages r = catalogue::reglagesDeBase();
  r.genres = {"Action", "Comédie", "Film"};
  r.editeurs.clear();
  Filmorel &f = t.ouvrir(cartes, r);
  catalogue::image(t.chemin("jackets/3000000000003.jpg"));
  ecrire(t.chemin("export/export.dat"), "ancien");
  const QString exp = f.v().cheminExport;

  FenetreImport *fen = ouvrirExport(f);
  cocher(fen, 2);
  cocher(fen, 6);
  fen->jacket->setChecked(true);
  t.dlg.repondre(Dialogues::OK, succesExport(2, exp), 64, kM);
  fen->close(); // the close box runs the export like the button
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.fenImport, nullptr);

  const QByteArray lst = catalogue::contenu(t.chemin("export/export.lst"));
  ASSERT_EQ(lst.size(), 2034);
  EXPECT_TRUE(lst.startsWith("3000000000003Film 003 "));
  EXPECT_EQ(lst.mid(1017, 13), "3000000000007");
  // Buyer and purchase date, loan state, date and borrower blanked; the rest as stored.
  QByteArray septieme = cartes[6].versOctets();
  septieme.replace(216, 19, QByteArray(19, ' ')).replace(954, 43, "Non" + QByteArray(40, ' '));
  EXPECT_EQ(lst.mid(1017), septieme);
  EXPECT_EQ(lst.mid(216, 19), QByteArray(19, ' '));
  // The lists as the combo boxes hold them (the sorted ones ignore case).
  EXPECT_EQ(catalogue::contenu(t.chemin("export/export.dat")),
            cp1252::encode("2\r\nAction\r\nComédie\r\nFilm\r\n\r\n\r\nDolby Digital 5.1\r\nDTS\r\nMono\r\n\r\n"
                           "Moi\r\nPaul\r\n\r\nDurand\r\nMartin\r\n"));
  EXPECT_EQ(catalogue::contenu(t.chemin("export/3000000000003.jpg")),
            catalogue::contenu(t.chemin("jackets/3000000000003.jpg")));
  EXPECT_FALSE(QFile::exists(t.chemin("export/3000000000007.jpg")));

  // Without the box no cover goes along.
  QFile::remove(t.chemin("export/3000000000003.jpg"));
  fen = ouvrirExport(f);
  cocher(fen, 2);
  t.dlg.repondre(Dialogues::OK, succesExport(1, exp), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  EXPECT_EQ(QFileInfo(t.chemin("export/export.lst")).size(), 1017);
  EXPECT_FALSE(QFile::exists(t.chemin("export/3000000000003.jpg")));

  // Nothing ticked: the old exchange files are gone all the same.
  fen = ouvrirExport(f);
  t.dlg.repondre(Dialogues::OK, "Aucune exportation à faire !!!\r\rIl n'y a pas eu de fiche sélectionnée.", 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(t.chemin("export/export.lst")));
  EXPECT_FALSE(QFile::exists(t.chemin("export/export.dat")));

  // An exchange folder that cannot be made is not reported as a success.
  QDir(t.dossier.path()).rmdir("export");
  ecrire(t.chemin("export"), "un fichier");
  fen = ouvrirExport(f);
  cocher(fen, 0);
  t.dlg.repondre(Dialogues::OK,
                 "Impossible d'écrire les fichiers d'exportation dans le dossier :\r\r" + exp +
                     "\r\rAucune fiche n'a été exportée.",
                 48, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  t.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, AllerRetourEntreDeuxCatalogues) {
  FenetreTest a, b;
  Reglages ra = catalogue::reglagesDeBase();
  ra.genres << "Western" << "action";
  ra.noms << "Zoé";
  Filmorel &fa = a.ouvrir({catalogue::fiche("4000000000001", "Casablanca"), catalogue::fiche("4000000000002", "Alien"),
                           catalogue::fiche("4000000000003", "Metropolis")},
                          ra);
  catalogue::image(a.chemin("jackets/4000000000002.jpg"));
  FenetreImport *fen = ouvrirExport(fa);
  QTest::mouseClick(fen->selectall, Qt::LeftButton);
  fen->jacket->setChecked(true);
  a.dlg.repondre(Dialogues::OK, succesExport(3, fa.v().cheminExport), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  const QByteArray lst = catalogue::contenu(a.chemin("export/export.lst"));

  Filmorel &fb = b.ouvrir({catalogue::fiche("5000000000001", "Brazil"), catalogue::fiche("5000000000002", "Dune")});
  b.dlg.repondre(Dialogues::Oui, absent("EXPORT.DAT", fb.v().cheminExport), 36, kM)
      .choisirFichier(a.chemin("export/export.dat"));
  fb.SM_Importer->trigger();
  fen = fb.fenImport;
  ASSERT_NE(fen, nullptr);
  EXPECT_EQ(QDir(fb.v().cheminExport), QDir(a.chemin("export")));
  EXPECT_EQ(fen->windowTitle(), "Importer des Films");
  EXPECT_EQ(fen->button->text(), "&Importer");
  EXPECT_EQ(fen->jacket->text(), "Inclure dans l'importation les jackets");
  EXPECT_EQ(items(fen), (QStringList{"Alien", "Casablanca", "Metropolis"}));
  EXPECT_EQ(fen->nbselect->text(), "0/3");
  QTest::mouseClick(fen->selectall, Qt::LeftButton);
  fen->jacket->setChecked(true);
  b.dlg.repondre(Dialogues::OK, succesImport(3), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);

  EXPECT_EQ(fb.v().nbFiches, 5);
  EXPECT_EQ(titresIndex(b.dossier.path(), 5), (QStringList{"Alien", "Brazil", "Casablanca", "Dune", "Metropolis"}));
  EXPECT_EQ(catalogue::contenu(b.chemin("dvd.lst")).mid(2 * 1017), lst);
  Reglages rb;
  reglages::lire(b.chemin("dvd.ini"), rb);
  EXPECT_EQ(rb.nbFiches, 5);
  // Exact comparison: "action" is not "Action".
  EXPECT_EQ(rb.genres, (QStringList{"Action", "action", "Comédie", "Drame", "Film", "Policier", "Western"}));
  EXPECT_EQ(rb.noms, (QStringList{"Durand", "Martin", "Zoé"}));
  EXPECT_EQ(rb.acheteurs, (QStringList{"Moi", "Paul"}));
  EXPECT_TRUE(QFile::exists(b.chemin("jackets/4000000000002.jpg")));
  EXPECT_TRUE(fb.isEnabled());
  EXPECT_EQ(fb.VScroll1->maximum(), 5);
  EXPECT_EQ(fb.Compteur->text(), "1 / 5");
  EXPECT_EQ(fb.titre->text(), "Alien");
  EXPECT_FALSE(fb.Progress->isVisible());

  // The folder chosen stays the exchange folder: the next export goes there.
  fen = ouvrirExport(fb);
  cocher(fen, 1);
  b.dlg.repondre(Dialogues::OK, succesExport(1, fb.v().cheminExport), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  EXPECT_TRUE(catalogue::contenu(a.chemin("export/export.lst")).startsWith("5000000000001Brazil "));
  a.dlg.verifierTousConsommes();
  b.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, UnDoublonNEntreQueSurOui) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(4));
  FenetreImport *fen = ouvrirExport(f);
  cocher(fen, 0);
  cocher(fen, 2);
  t.dlg.repondre(Dialogues::OK, succesExport(2, f.v().cheminExport), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  const QByteArray ini = catalogue::contenu(t.chemin("dvd.ini"));
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));

  f.SM_Importer->trigger();
  fen = f.fenImport;
  ASSERT_NE(fen, nullptr);
  QTest::mouseClick(fen->selectall, Qt::LeftButton);
  t.dlg.repondre(Dialogues::Non, doublon("3000000000001  Film 001", "3000000000001  Film 001"), 36, kM)
      .repondre(Dialogues::Non, doublon("3000000000003  Film 003", "3000000000003  Film 003"), 36, kM)
      .repondre(Dialogues::OK, succesImport(0), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 4);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.ini")), ini);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);

  f.SM_Importer->trigger();
  fen = f.fenImport;
  QTest::mouseClick(fen->selectall, Qt::LeftButton);
  t.dlg.repondre(Dialogues::Non, {}, 36, kM)
      .repondre(Dialogues::Oui, {}, 36, kM)
      .repondre(Dialogues::OK, succesImport(1), 64, kM);
  QTest::mouseClick(fen->button, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 5);
  EXPECT_TRUE(catalogue::contenu(t.chemin("dvd.ini")).startsWith("5\r\n"));
  // The copy sorts after the card of the same title.
  QList<EntreeIndex> e;
  ASSERT_TRUE(fichiers::lireEntrees(t.dossier.path(), 1, 5, e));
  EXPECT_EQ(e[2].ean(), "3000000000003");
  EXPECT_EQ(e[3].ean(), "3000000000003");
  EXPECT_EQ(e[3].numero, 5);
  t.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, ListesFusionneesSansFicheEtDoublonDansUnMemeExport) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  dossierEchange(t.chemin("export"),
                 {catalogue::fiche("7000000000001", "Premier"), catalogue::fiche("7000000000001", "Second")},
                 {{"Film", "Western"}, {}, {"Mono"}, {"Zoé"}, {"Nouveau"}});
  const QByteArray ini = catalogue::contenu(t.chemin("dvd.ini"));

  // Nothing ticked: the lists still come in, but dvd.ini is kept as it was.
  f.SM_Importer->trigger();
  t.dlg.repondre(Dialogues::OK, succesImport(0), 64, kM);
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
  EXPECT_EQ(f.v().nbNoms, 3);
  EXPECT_TRUE(f.nom->items().contains("Nouveau"));
  EXPECT_EQ(f.v().nbGenres, 6);
  EXPECT_EQ(f.v().nbSons, 3);
  EXPECT_EQ(f.achat->items(), (QStringList{"Moi", "Paul", "Zoé"}));
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.ini")), ini);

  // The second card meets the first, just inserted.
  f.SM_Importer->trigger();
  QTest::mouseClick(f.fenImport->selectall, Qt::LeftButton);
  t.dlg.repondre(Dialogues::Oui, doublon("7000000000001  Premier", "7000000000001  Second"), 36, kM)
      .repondre(Dialogues::OK, succesImport(2), 64, kM);
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
  Reglages r;
  reglages::lire(t.chemin("dvd.ini"), r);
  EXPECT_EQ(r.nbFiches, 4);
  EXPECT_EQ(r.genres.count("Western"), 1);
  EXPECT_TRUE(r.noms.contains("Nouveau"));
  t.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, LImportSArreteADeuxMilleFiches) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  dossierEchange(t.chemin("export"), {catalogue::fiche("8000000000001", "A1"), catalogue::fiche("8000000000002", "A2"),
                                      catalogue::fiche("8000000000003", "A3")});
  f.SM_Importer->trigger();
  QTest::mouseClick(f.fenImport->selectall, Qt::LeftButton);
  t.dlg.repondre(Dialogues::OK,
                 "Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r2 fiche(s) sélectionnée(s) "
                 "n'ont pas été importée(s).",
                 48, kM)
      .repondre(Dialogues::OK, succesImport(1), 64, kM);
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 2000);
  EXPECT_EQ(fichiers::nbEntreesSurDisque(t.dossier.path()), 2000);
  EXPECT_EQ(fichiers::nbFichesSurDisque(t.dossier.path()), 2000);
  EXPECT_TRUE(catalogue::contenu(t.chemin("dvd.ini")).startsWith("2000\r\n"));
  EXPECT_EQ(f.titre->text(), "A1");
  t.dlg.verifierTousConsommes();
}

TEST(EchangeFenetre, ImportAnnuleOuDossierAbime) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  const QString exp = f.v().cheminExport;
  t.dlg.repondre(Dialogues::Non, absent("EXPORT.DAT", exp), 36, kM).repondre(Dialogues::OK, kAnnulation, 64, kM);
  f.SM_Importer->trigger();
  EXPECT_EQ(f.fenImport, nullptr);
  EXPECT_TRUE(f.isEnabled());
  // A file dialog closed without a choice cancels too.
  t.dlg.repondre(Dialogues::Oui, absent("EXPORT.DAT", exp), 36, kM)
      .choisirFichier("")
      .repondre(Dialogues::OK, kAnnulation, 64, kM);
  f.SM_Importer->trigger();
  EXPECT_EQ(f.fenImport, nullptr);
  EXPECT_EQ(f.v().cheminExport, exp);

  ecrire(t.chemin("export/export.dat"), "3\r\n\r\n\r\n\r\n\r\n");
  t.dlg.repondre(Dialogues::Non, absent("EXPORT.LST", exp), 36, kM).repondre(Dialogues::OK, kAnnulation, 64, kM);
  f.SM_Importer->trigger();
  EXPECT_EQ(f.fenImport, nullptr);

  // Two whole cards of the three announced: only they are offered.
  ecrire(t.chemin("export/export.lst"), catalogue::fiche("9000000000001", "B1").versOctets() +
                                            catalogue::fiche("9000000000002", "B2").versOctets() +
                                            QByteArray(300, 'x'));
  t.dlg.repondre(Dialogues::OK,
                 "Le fichier EXPORT.LST ne contient que 2 fiche(s) complète(s) sur les 3 annoncée(s) par "
                 "EXPORT.DAT.\r\rSeules les fiches complètes peuvent être importées.",
                 48, kM);
  f.SM_Importer->trigger();
  ASSERT_NE(f.fenImport, nullptr);
  EXPECT_EQ(items(f.fenImport), (QStringList{"B1", "B2"}));
  QTest::mouseClick(f.fenImport->selectall, Qt::LeftButton);
  t.dlg.repondre(Dialogues::OK, succesImport(2), 64, kM);
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 4);
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 4 * 1017);

  ecrire(t.chemin("export/export.dat"), "deux\r\n");
  t.dlg.repondre(Dialogues::OK,
                 "Le nombre de fiches du fichier EXPORT.DAT est illisible.\r\rLes 2 fiche(s) complète(s) du fichier "
                 "EXPORT.LST sont proposée(s) à l'importation.",
                 48, kM);
  f.SM_Importer->trigger();
  ASSERT_NE(f.fenImport, nullptr);
  EXPECT_EQ(f.fenImport->List->count(), 2);
  QTest::mouseClick(f.fenImport->annuler, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 4);
  t.dlg.verifierTousConsommes();
}
