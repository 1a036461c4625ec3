#include "exchange/fenetreimport.h"
#include "support/fenetre.h"

// Two cards of fifty go out, then into a second catalogue that holds one of their bar codes.
TEST(EchangeFenetre, ExportPuisImportDansUnAutreCatalogue) {
  FenetreTest a, b;
  QList<Fiche> cartes = catalogue::numerotees(50);
  cartes[6] = catalogue::fiche("3000000000007", "Film 007",
                               {{Champ::preter, "Oui"}, {Champ::datepret, "02/03/2004"}, {Champ::nom, "Durand"}});
  Reglages r = catalogue::reglagesDeBase();
  r.genres = {"Action", "Comédie", "Film", "Western"};
  r.editeurs.clear();
  r.noms << "Zoé";
  Filmorel &f = a.ouvrir(cartes, r);
  const QString exp = f.v().cheminExport;
  f.SM_Exporter->trigger();
  for (int i : {2, 6})
    f.fenImport->List->item(i)->setCheckState(Qt::Checked);
  a.avis("Exportation de 2 fiche(s) terminée(s) avec succès !!!    \r\rElles se situent dans le dossier :\r\r" + exp +
             "\r\rLe fichier des Films se nomme EXPORT.LST\r\rLe second fichier EXPORT.DAT comprend :\r     - Les "
             "genres\r     - les éditeurs\r     - les noms des acheteurs des Films\r     - les formats sonores\r     "
             "- les noms pour les films prétés",
         64);
  f.fenImport->close(); // the close box runs the export like the button
  const QByteArray lst = a.octets("export/export.lst");
  ASSERT_EQ(lst.size(), 2034);
  // Buyer and purchase date, loan state, date and borrower blanked; the rest as stored.
  QByteArray septieme = cartes[6].versOctets();
  septieme.replace(216, 19, QByteArray(19, ' ')).replace(954, 43, "Non" + QByteArray(40, ' '));
  EXPECT_EQ(lst.mid(1017), septieme);

  // Dune already has Film 003's bar code: refused, the other card comes in whole.
  Filmorel &fb = b.ouvrir({catalogue::fiche("5000000000001", "Brazil"), catalogue::fiche("3000000000003", "Dune")});
  for (const char *nom : {"export/export.lst", "export/export.dat"})
    catalogue::ecrireOctets(b.chemin(nom), a.octets(nom));
  fb.SM_Importer->trigger();
  ASSERT_NE(fb.fenImport, nullptr);
  QTest::mouseClick(fb.fenImport->selectall, Qt::LeftButton);
  b.question(Dialogues::Non, "Il y a déjà une fiche avec le même code EAN !\r\rFiche existante :\r3000000000003  "
                             "Dune\r\rFiche à insérer :\r3000000000003  Film 003\r\rContinuer quand même l'insertion "
                             "de cette fiche ?");
  b.avis("Importation de 1 fiche(s) terminée(s) avec succès !!!    ", 64);
  QTest::mouseClick(fb.fenImport->button, Qt::LeftButton);
  EXPECT_EQ(b.octets("dvd.lst").mid(2 * 1017), lst.mid(1017));
  const Reglages rb = b.ini();
  EXPECT_EQ(rb.genres + rb.noms,
            (QStringList{"Action", "Comédie", "Drame", "Film", "Policier", "Western", "Durand", "Martin", "Zoé"}));

  // An exchange folder that cannot be made is not reported as a success.
  QDir(a.chemin("export")).removeRecursively();
  catalogue::ecrireOctets(a.chemin("export"), "un fichier");
  f.SM_Exporter->trigger();
  f.fenImport->List->item(0)->setCheckState(Qt::Checked);
  a.avis("Impossible d'écrire les fichiers d'exportation dans le dossier :\r\r" + exp +
         "\r\rAucune fiche n'a été exportée.");
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
}

TEST(EchangeFenetre, ImportDUnEchangeTronque) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  // Two whole cards of the three announced: only they are offered.
  catalogue::ecrireOctets(t.chemin("export/export.dat"), "3\r\n\r\n\r\n\r\n\r\n");
  catalogue::ecrireOctets(t.chemin("export/export.lst"), catalogue::fiche("9000000000001", "B1").versOctets() +
                                            catalogue::fiche("9000000000002", "B2").versOctets() +
                                            QByteArray(300, 'x'));
  t.avis("Le fichier EXPORT.LST ne contient que 2 fiche(s) complète(s) sur les 3 annoncée(s) par "
         "EXPORT.DAT.\r\rSeules les fiches complètes peuvent être importées.");
  f.SM_Importer->trigger();
  ASSERT_EQ(f.fenImport->List->count(), 2);
  QTest::mouseClick(f.fenImport->selectall, Qt::LeftButton);
  t.avis("Importation de 2 fiche(s) terminée(s) avec succès !!!    ", 64);
  QTest::mouseClick(f.fenImport->button, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst").mid(1017), t.octets("export/export.lst").left(2 * 1017));
}
