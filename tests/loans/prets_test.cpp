#include "listings/listpret.h"
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

TEST(PretsFenetre, RetoursSuccessifsAjoutentALHistoriqueLuDuPlusRecentMemeSansDossier) {
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
  // The history window shows the most recent loan first.
  QTest::keyClick(f.eansearch, Qt::Key_F4);
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->texte(1, 0) + f.listpret->texte(2, 0) + f.listpret->texte(1, 1), "MartinDurand03/04/2006");
  f.listpret->close();

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
