#include "listings/listpret.h"
#include "storage/fichiers.h"
#include "storage/historique.h"
#include "support/fenetre.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {
const QString kReintegrer = QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?");

QString surDisque(FenetreTest &t, int numero, Champ c) {
  Fiche f;
  EXPECT_TRUE(fichiers::lireFiche(t.dossier.path(), numero, f));
  return sansBlancsFinaux(f.get(c));
}

// Film 001 (record 1) lent to Durand since 01/02/2005.
QList<Fiche> avecUnPret() {
  QList<Fiche> cartes = catalogue::numerotees(3);
  cartes[0].set(Champ::preter, "Oui");
  cartes[0].set(Champ::datepret, "01/02/2005");
  cartes[0].set(Champ::nom, "Durand");
  return cartes;
}

void taper(QWidget *w, const QString &texte) {
  w->setFocus();
  QTest::keyClicks(w, texte);
}
} // namespace

TEST(PretsFenetre, PreterValiderPuisRevenirSurLaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.afficherPosition(2);
  QTest::mouseClick(f.pret, Qt::LeftButton);

  // Only the loan fields and the borrower buttons can be used.
  for (QWidget *w : std::initializer_list<QWidget *>{f.ean, f.titre, f.Genre, f.dateachat, f.resumer, f.preter})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_TRUE(f.datepret->isEnabled() && f.nom->isEnabled() && f.sup[3]->isEnabled());
  EXPECT_TRUE(f.ajou[3]->isVisibleTo(&f));
  EXPECT_FALSE(f.ajou[0]->isVisibleTo(&f));
  EXPECT_EQ(f.preter->text(), "Oui");
  EXPECT_EQ(f.datepret->text(), aujourdhui());

  // A new borrower added during the loan is accepted by the validation.
  taper(f.nom->lineEdit(), "Zoe");
  t.dlg.repondre(Dialogues::Oui, "Ajouter cet emprunteur à la liste ?", 36, "Message");
  QTest::mouseClick(f.ajou[3], Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().pretEnCours, 0);
  EXPECT_EQ(surDisque(t, 2, Champ::preter), "Oui");
  EXPECT_EQ(surDisque(t, 2, Champ::datepret), aujourdhui());
  EXPECT_EQ(surDisque(t, 2, Champ::nom), "Zoe");

  f.afficherPosition(3);
  f.afficherPosition(2);
  EXPECT_EQ(f.preter->text(), "Oui");
  EXPECT_EQ(f.nom->currentText(), "Zoe");
  EXPECT_FALSE(f.pret->isEnabled());
  EXPECT_TRUE(f.retour->isEnabled());
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, PretAnnuleLaisseLaFicheIntacte) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  const QByteArray avant = catalogue::contenu(t.chemin("dvd.lst"));
  QTest::keyClick(f.eansearch, Qt::Key_F6);
  taper(f.nom->lineEdit(), "Martin");
  t.dlg.repondre(Dialogues::Oui, {}, 36, "Message");
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_Escape);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), avant);
  EXPECT_EQ(f.preter->text(), "Non");
  EXPECT_TRUE(f.pret->isEnabled());
  EXPECT_FALSE(f.retour->isEnabled());
}

TEST(PretsFenetre, RetoursSuccessifsAjoutentALHistorique) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(avecUnPret());
  const QString fichier = t.chemin("historique/3000000000001.hst");
  const QByteArray lstAvant = catalogue::contenu(t.chemin("dvd.lst"));

  t.dlg.repondre(Dialogues::Non, kReintegrer, 36, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_FALSE(QFile::exists(fichier));
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lstAvant);

  // The first return creates the file with one loan.
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  QTest::keyClick(f.eansearch, Qt::Key_F7);
  const QByteArray premier = "Durand\r\n01/02/2005\r\n" + aujourdhui().toLatin1() + "\r\n";
  EXPECT_EQ(catalogue::contenu(fichier), premier);
  EXPECT_EQ(surDisque(t, 1, Champ::preter), "Non");
  EXPECT_EQ(surDisque(t, 1, Champ::datepret), "");
  EXPECT_EQ(surDisque(t, 1, Champ::nom), "");
  EXPECT_TRUE(f.pret->isEnabled());
  EXPECT_FALSE(f.retour->isEnabled());
  EXPECT_TRUE(f.historic->isVisibleTo(&f));

  // Lent again with a changed loan date, then returned: the earlier loan first.
  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.datepret->setText("03/04/2006");
  taper(f.nom->lineEdit(), "Martin");
  QTest::keyClick(f.nom->lineEdit(), Qt::Key_F5);
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_EQ(catalogue::contenu(fichier), premier + "Martin\r\n03/04/2006\r\n" + aujourdhui().toLatin1() + "\r\n");
  EXPECT_EQ(f.v().nbHisto, 2);
  t.dlg.verifierTousConsommes();
}

TEST(PretsFenetre, HistoriqueImpossibleAEcrire) {
  // No historique/ folder: the card is still returned, and the user told.
  FenetreTest t;
  Filmorel &f = t.ouvrir(avecUnPret());
  ASSERT_TRUE(QDir(t.chemin("historique")).removeRecursively());
  t.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  t.dlg.repondre(Dialogues::OK,
                 "Le DVD est réintégré, mais ce prêt n'a pas pu être ajouté à son historique.\r\r"
                 "Vérifiez que le dossier historique existe dans le dossier des données et qu'il est "
                 "accessible en écriture.",
                 48, "Message");
  QTest::mouseClick(f.retour, Qt::LeftButton);
  EXPECT_EQ(surDisque(t, 1, Champ::preter), "Non");
  EXPECT_FALSE(f.historic->isVisibleTo(&f));

  // A history that exists but cannot be read is left alone.
  FenetreTest t2;
  Filmorel &f2 = t2.ouvrir(avecUnPret());
  const QString fichier = t2.chemin("historique/3000000000001.hst");
  ASSERT_TRUE(QDir().mkpath(fichier));
  t2.dlg.repondre(Dialogues::Oui, kReintegrer, 36, "Message");
  t2.dlg.repondre(Dialogues::OK, {}, 48, "Message");
  QTest::mouseClick(f2.retour, Qt::LeftButton);
  EXPECT_TRUE(QFileInfo(fichier).isDir());
  EXPECT_EQ(surDisque(t2, 1, Champ::preter), "Non");
}

TEST(PretsFenetre, FenetreHistorique) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(2));
  QList<Pret> vingt;
  for (int i = 1; i <= 20; ++i)
    vingt.append({QString("Nom %1").arg(i), QString("%1/03/2004").arg(i, 2, 10, QChar('0')), "31/03/2004"});
  ASSERT_TRUE(historique::ecrire(t.chemin("historique/3000000000001.hst"),
                                 {{"Durand", "01/01/2004", "05/01/2004"}, {"Martin", "02/02/2004", "09/02/2004"}}));
  ASSERT_TRUE(historique::ecrire(t.chemin("historique/3000000000002.hst"), vingt));
  Filmorel &f = t.demarrer();

  QTest::mouseClick(f.historic, Qt::LeftButton);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w && w->isVisible());
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(f.v().typeListe, 2);
  EXPECT_EQ(w->Grille->rowCount(), 17);
  EXPECT_EQ(w->texte(1, 0), "Martin");
  EXPECT_EQ(w->texte(2, 0), "Durand");
  EXPECT_EQ(w->texte(2, 2), "05/01/2004");
  w->close();
  EXPECT_TRUE(f.isEnabled());

  f.afficherPosition(2);
  QTest::keyClick(f.eansearch, Qt::Key_F4);
  w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->Grille->rowCount(), 22);
  for (int r = 0; r < 20; ++r)
    EXPECT_EQ(w->Grille->rowHeight(r), ListPret::enPixels(250)) << r;
  EXPECT_EQ(w->texte(1, 0), "Nom 20");
  EXPECT_EQ(w->texte(20, 0), "Nom 1");
  w->close();
}
