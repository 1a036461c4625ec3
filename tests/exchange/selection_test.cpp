#include "exchange/fenetreimport.h"
#include "storage/cp1252.h"
#include "support/fenetre.h"

namespace {
QString succesExport(int n, const QString &dossier) {
  return QString("Exportation de %1 fiche(s) terminée(s) avec succès !!!    \r\rElles se situent dans le dossier :"
                 "\r\r%2\r\rLe fichier des Films se nomme EXPORT.LST\r\rLe second fichier EXPORT.DAT comprend :"
                 "\r     - Les genres\r     - les éditeurs\r     - les noms des acheteurs des Films\r     - les "
                 "formats sonores\r     - les noms pour les films prétés")
      .arg(QString::number(n), dossier);
}
QString succesImport(int m) { return QString("Importation de %1 fiche(s) terminée(s) avec succès !!!    ").arg(m); }
void cliquer(QWidget *w) { QTest::mouseClick(w, Qt::LeftButton); }
FenetreImport *ouvrirExport(Filmorel &f, const QList<int> &lignes = {}) {
  f.SM_Exporter->trigger();
  for (int i : lignes)
    f.fenImport->List->item(i)->setCheckState(Qt::Checked);
  return f.fenImport;
}
FenetreImport *importerTout(Filmorel &f) {
  f.SM_Importer->trigger();
  if (f.fenImport)
    cliquer(f.fenImport->selectall);
  return f.fenImport;
}
} // namespace

TEST(EchangeFenetre, ExportDeDeuxFichesSurCinquante) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(50);
  cartes[6] = catalogue::fiche("3000000000007", "Film 007",
                               {{Champ::preter, "Oui"}, {Champ::datepret, "02/03/2004"}, {Champ::nom, "Durand"}});
  Reglages r = catalogue::reglagesDeBase();
  r.genres = {"Action", "Comédie", "Film"};
  r.editeurs.clear();
  Filmorel &f = t.ouvrir(cartes, r);
  const QString exp = f.v().cheminExport;

  // The spreadsheet export leaves the buffer on the card on display, which a later validation saves.
  f.VScroll1->setValue(2);
  const Fiche affichee = f.v().ficheCourante;
  t.dlg.repondre(Dialogues::Oui, "Début de l'extraction des données.\r\rATTENTION ! L'ancien fichier existant sera "
                                 "écrasé.\r\rContinuer la procédure ?", 52, "Message");
  t.avis("Exportation terminée avec succès dans le fichier :\r\r" + f.v().cheminAppli +
             "export.xls\r\r50 fiches exportées et utilisables dans un tableur.", 64);
  f.SM_Exporter_Liste->trigger();
  EXPECT_EQ(QFileInfo(t.chemin("export.xls")).size(), 50 * 1041);
  EXPECT_EQ(f.v().ficheCourante, affichee);

  FenetreImport *fen = ouvrirExport(f, {2, 6});
  t.avis(succesExport(2, exp), 64);
  fen->close(); // the close box runs the export like the button
  const QByteArray lst = t.octets("export/export.lst");
  ASSERT_EQ(lst.size(), 2034);
  EXPECT_TRUE(lst.startsWith("3000000000003Film 003 "));
  // Buyer and purchase date, loan state, date and borrower blanked; the rest as stored.
  QByteArray septieme = cartes[6].versOctets();
  septieme.replace(216, 19, QByteArray(19, ' ')).replace(954, 43, "Non" + QByteArray(40, ' '));
  EXPECT_EQ(lst.mid(1017), septieme);
  // The lists as the combo boxes hold them (the sorted ones ignore case).
  EXPECT_EQ(t.octets("export/export.dat"),
            cp1252::encode("2\r\nAction\r\nComédie\r\nFilm\r\n\r\n\r\nDolby Digital 5.1\r\nDTS\r\nMono\r\n\r\n"
                           "Moi\r\nPaul\r\n\r\nDurand\r\nMartin\r\n"));

  // An exchange folder that cannot be made is not reported as a success.
  QDir(t.chemin("export")).removeRecursively();
  catalogue::ecrireOctets(t.chemin("export"), "un fichier");
  fen = ouvrirExport(f, {0});
  t.avis("Impossible d'écrire les fichiers d'exportation dans le dossier :\r\r" + exp +
         "\r\rAucune fiche n'a été exportée.");
  cliquer(fen->button);
}

TEST(EchangeFenetre, AllerRetourEntreDeuxCatalogues) {
  FenetreTest a, b;
  Reglages ra = catalogue::reglagesDeBase();
  ra.genres << "Western" << "action";
  ra.noms << "Zoé";
  a.ouvrir({catalogue::fiche("4000000000001", "Casablanca"), catalogue::fiche("4000000000002", "Alien"),
            catalogue::fiche("4000000000003", "Metropolis")}, ra);
  FenetreImport *fen = ouvrirExport(*a.f, {0, 1, 2});
  a.avis(succesExport(3, a.f->v().cheminExport), 64);
  cliquer(fen->button);
  const QByteArray lst = a.octets("export/export.lst");

  // Dune already has Alien's bar code.
  Filmorel &fb = b.ouvrir({catalogue::fiche("5000000000001", "Brazil"), catalogue::fiche("4000000000002", "Dune")});
  b.question(Dialogues::Oui, "Le fichier d'importation EXPORT.DAT\r\rne se trouve pas sur le disque dur dans le "
                             "dossier :\r\r" + fb.v().cheminExport + "\r\rVoulez-vous le rechercher dans un autre "
                             "dossier ?")
      .choisirFichier(a.chemin("export/export.dat"));
  fen = importerTout(fb);
  ASSERT_NE(fen, nullptr);
  b.question(Dialogues::Non, "Il y a déjà une fiche avec le même code EAN !\r\rFiche existante :\r4000000000002  "
                             "Dune\r\rFiche à insérer :\r4000000000002  Alien\r\rContinuer quand même l'insertion "
                             "de cette fiche ?");
  b.avis(succesImport(2), 64);
  cliquer(fen->button);

  EXPECT_EQ(b.octets("dvd.lst").mid(2 * 1017), lst.mid(1017));
  const Reglages rb = b.ini();
  // Exact comparison: "action" is not "Action".
  EXPECT_EQ(rb.genres, (QStringList{"Action", "action", "Comédie", "Drame", "Film", "Policier", "Western"}));
  EXPECT_EQ(rb.noms, (QStringList{"Durand", "Martin", "Zoé"}));
}

TEST(EchangeFenetre, ImportDUnEchangeTronqueJusquaDeuxMilleFiches) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  // Two whole cards of the three announced: only they are offered, and only one more fits.
  catalogue::ecrireOctets(t.chemin("export/export.dat"), "3\r\n\r\n\r\n\r\n\r\n");
  catalogue::ecrireOctets(t.chemin("export/export.lst"), catalogue::fiche("9000000000001", "B1").versOctets() +
                                            catalogue::fiche("9000000000002", "B2").versOctets() +
                                            QByteArray(300, 'x'));
  t.avis("Le fichier EXPORT.LST ne contient que 2 fiche(s) complète(s) sur les 3 annoncée(s) par "
         "EXPORT.DAT.\r\rSeules les fiches complètes peuvent être importées.");
  ASSERT_EQ(importerTout(f)->List->count(), 2);
  t.avis("Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r1 fiche(s) sélectionnée(s) "
         "n'ont pas été importée(s).");
  t.avis(succesImport(1), 64);
  cliquer(f.fenImport->button);
  EXPECT_EQ(QList<qint64>({f.v().nbFiches, QFileInfo(t.chemin("dvd.lst")).size(), t.ini().nbFiches}),
            QList<qint64>({2000, 2000 * 1017, 2000}));
}
