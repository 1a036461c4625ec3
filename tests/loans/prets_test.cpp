#include "listings/listpret.h"
#include "storage/historique.h"
#include "support/fenetre.h"

namespace {
const QString kReintegrer = QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?");

Filmorel &ouvrirAvecUnPret(FenetreTest &t) {
  QList<Fiche> cartes = catalogue::numerotees(3);
  cartes[0] = catalogue::fiche("3000000000001", "Film 001",
                               {{Champ::preter, "Oui"}, {Champ::datepret, "01/02/2005"}, {Champ::nom, "Durand"}});
  return t.ouvrir(cartes);
}

void taper(QWidget *w, const QString &texte) {
  w->setFocus();
  QTest::keyClicks(w, texte);
}
} // namespace

TEST(PretsFenetre, PretAnnulePuisPreterValiderEtRevenirSurLaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  const QByteArray avant = t.octets("dvd.lst");
  QTest::keyClick(f.eansearch, Qt::Key_F6);
  taper(f.nom->lineEdit(), "Martin");
  t.question(Dialogues::Oui);
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_Escape);
  EXPECT_EQ(t.octets("dvd.lst"), avant);

  // A new borrower added during the loan is accepted by the validation.
  f.afficherPosition(2);
  QTest::mouseClick(f.pret, Qt::LeftButton);
  taper(f.nom->lineEdit(), "Zoe");
  t.question(Dialogues::Oui, "Ajouter cet emprunteur à la liste ?");
  QTest::mouseClick(f.ajou[3], Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.pret(2), "Oui|" + aujourdhui() + "|Zoe");
}

TEST(PretsFenetre, RetoursSuccessifsAjoutentALHistorique) {
  FenetreTest t;
  Filmorel &f = ouvrirAvecUnPret(t);
  const QString fichier = t.chemin("historique/3000000000001.hst");
  const QByteArray lstAvant = t.octets("dvd.lst");
  t.question(Dialogues::Non, kReintegrer);
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_TRUE(!QFile::exists(fichier) && t.octets("dvd.lst") == lstAvant);

  t.question(Dialogues::Oui, kReintegrer);
  QTest::keyClick(f.eansearch, Qt::Key_F7);
  EXPECT_EQ(t.pret(1), "Non||");

  // Lent again with a changed loan date, then returned: the earlier loan first.
  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.datepret->setText("03/04/2006");
  taper(f.nom->lineEdit(), "Martin");
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_F5);
  t.question(Dialogues::Oui, kReintegrer);
  QTest::mouseClick(f.retour, Qt::LeftButton);
  const QByteArray jour = aujourdhui().toLatin1();
  EXPECT_EQ(catalogue::contenu(fichier),
            "Durand\r\n01/02/2005\r\n" + jour + "\r\nMartin\r\n03/04/2006\r\n" + jour + "\r\n");

}

// No historique/ folder: the card is still returned, and the user told.
TEST(PretsFenetre, HistoriqueImpossibleAEcrire) {
  FenetreTest t;
  Filmorel &f = ouvrirAvecUnPret(t);
  ASSERT_TRUE(QDir(t.chemin("historique")).removeRecursively());
  t.question(Dialogues::Oui, kReintegrer);
  t.avis("Le DVD est réintégré, mais ce prêt n'a pas pu être ajouté à son historique.\r\r"
         "Vérifiez que le dossier historique existe dans le dossier des données et qu'il est "
         "accessible en écriture.");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_EQ(t.pret(1), "Non||");
}

TEST(PretsFenetre, FenetreHistoriqueDuPlusRecentAuPlusAncien) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(2));
  QList<Pret> vingt;
  for (int i = 1; i <= 20; ++i)
    vingt.append({QString("Nom %1").arg(i), QString("%1/03/2004").arg(i, 2, 10, QChar('0')), "31/03/2004"});
  ASSERT_TRUE(historique::ecrire(t.chemin("historique/3000000000002.hst"), vingt));
  Filmorel &f = t.demarrer();
  f.afficherPosition(2);
  QTest::keyClick(f.eansearch, Qt::Key_F4);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(QStringList({QString::number(w->Grille->rowCount()), w->texte(1, 0), w->texte(20, 0), w->texte(20, 1),
                         w->texte(20, 2)}),
            QStringList({"22", "Nom 20", "Nom 1", "01/03/2004", "31/03/2004"}));
  EXPECT_EQ(w->windowTitle(), "Historique de mes Films DVD prêtés");
}
