#include "listings/listpret.h"
#include "storage/historique.h"
#include "support/fenetre.h"

namespace {
const QString kReintegrer = QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?");

// Lends the card on display to `nom` on `date`, with the keyboard.
void preter(FenetreTest &t, const QString &nom, const QString &date) {
  QTest::mouseClick(t.f->pret, Qt::LeftButton);
  t.f->datepret->setText(date);
  t.f->nom->lineEdit()->setFocus();
  QTest::keyClicks(t.f->nom->lineEdit(), nom);
  QTest::keyClick(t.f->nom->lineEdit(), Qt::Key_F5);
}
} // namespace

TEST(PretsFenetre, RetoursSuccessifsAjoutentALHistoriqueMemeSansDossier) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(3);
  cartes[0] = catalogue::fiche("3000000000001", "Film 001",
                               {{Champ::preter, "Oui"}, {Champ::datepret, "01/02/2005"}, {Champ::nom, "Durand"}});
  Filmorel &f = t.ouvrir(cartes);
  const QString fichier = t.chemin("historique/3000000000001.hst");
  t.question(Dialogues::Oui, kReintegrer);
  QTest::keyClick(f.eansearch, Qt::Key_F7);
  EXPECT_EQ(t.pret(1), "Non||");

  // Lent again, the loan date changed, then returned: the earlier loan first.
  preter(t, "Martin", "03/04/2006");
  t.question(Dialogues::Oui, kReintegrer);
  QTest::mouseClick(f.retour, Qt::LeftButton);
  const QByteArray jour = aujourdhui().toLatin1();
  EXPECT_EQ(catalogue::contenu(fichier),
            "Durand\r\n01/02/2005\r\n" + jour + "\r\nMartin\r\n03/04/2006\r\n" + jour + "\r\n");

  // No historique/ folder: the card is still returned, and the user told.
  ASSERT_TRUE(QDir(t.chemin("historique")).removeRecursively());
  preter(t, "Martin", aujourdhui());
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
}
