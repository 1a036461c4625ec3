#include "support/fenetre.h"

#include "storage/fichiers.h"
#include "storage/historique.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const QString kCreer = QStringLiteral("Fiche non trouvée !!!\r\rVoulez-vous la créer ?");

QByteArray entreeSurDisque(FenetreTest &t, int p) {
  return catalogue::contenu(t.chemin("dvd.idx")).mid((p - 1) * EntreeIndex::Taille, EntreeIndex::Taille);
}

Fiche ficheSurDisque(FenetreTest &t, int n) {
  Fiche f;
  EXPECT_TRUE(fichiers::lireFiche(t.dossier.path(), n, f));
  return f;
}

EntreeIndex entreeLue(FenetreTest &t, int p) {
  EntreeIndex e;
  EXPECT_TRUE(fichiers::lireEntree(t.dossier.path(), p, e));
  return e;
}

QString premiereLigneIni(FenetreTest &t) {
  return QString::fromLatin1(catalogue::contenu(t.chemin("dvd.ini"))).section("\r\n", 0, 0);
}

// Starts a new card with this bar code through the search box.
void nouvelleFiche(FenetreTest &t, const char *code) {
  t.dlg.repondre(Dialogues::Oui, kCreer, 36, "Message");
  QTest::keyClicks(t.f->eansearch, code);
  ASSERT_EQ(t.f->v().modeCreation, 1);
}

void enNavigation(Filmorel &f) {
  EXPECT_EQ(f.v().modifEnCours, 0);
  EXPECT_EQ(f.v().pretEnCours, 0);
  EXPECT_EQ(f.v().modeCreation, 0);
  EXPECT_FALSE(f.valider->isVisible());
  EXPECT_FALSE(f.conteneur->isEnabled());
  EXPECT_TRUE(f.ean->isReadOnly());
  for (QWidget *w : std::initializer_list<QWidget *>{f.modifier, f.supprimer, f.pret, f.retour, f.quitter,
                                                     f.eansearch, f.VScroll1, f.Compteur})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
}
} // namespace

TEST(Saisie, PremiereFicheDUnCatalogueVide) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  nouvelleFiche(t, "3012345678901");
  EXPECT_TRUE(f.valider->isVisible());
  EXPECT_FALSE(f.eansearch->isVisible() || f.quitter->isVisible());
  EXPECT_TRUE(f.ajou[0]->isVisible() && f.Dir1->isVisible());
  EXPECT_FALSE(f.nom->isEnabled() || f.ajou[3]->isEnabled());
  EXPECT_FALSE(f.M_Fichier->menuAction()->isEnabled());

  QTest::keyClicks(f.titre, "Alien");
  QTest::keyClicks(f.annee, "1979");
  QTest::mouseClick(f.valider, Qt::LeftButton);

  Fiche attendue = catalogue::fiche("3012345678901", "Alien");
  for (Champ c : {Champ::duree, Champ::achat, Champ::acteurs, Champ::resumer, Champ::datepret, Champ::nom})
    attendue.set(c, "");
  attendue.set(Champ::annee, "1979");
  attendue.set(Champ::dateachat, aujourdhui());
  attendue.set(Champ::jacket, "jacket.bmp");
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), attendue.versOctets());
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(attendue);
  e.numero = 1;
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), e.versOctets());
  EXPECT_EQ(premiereLigneIni(t), "1");

  enNavigation(f);
  EXPECT_EQ(f.Compteur->text(), "1 / 1");
  EXPECT_EQ(f.v().nbFiches, 1);
  EXPECT_EQ(f.titre->text(), "Alien");
  EXPECT_EQ(f.ean->text(), "3012345678901");
  EXPECT_FALSE(f.historic->isVisible());
  EXPECT_FALSE(f.ajou[0]->isVisible() || f.Dir1->isVisible());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, NouvelleFicheRangeeAPlaceEtMontree) {
  FenetreTest t;
  // An earlier title contains the new one, and an empty title is there too.
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Casino"),
                          catalogue::fiche("2222222222222", "A la recherche d'Alien"),
                          catalogue::fiche("3333333333333", "")});
  nouvelleFiche(t, "4444444444444");
  f.titre->setText("Alien");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  // Index order: "", A la recherche d'Alien, Alien, Casino.
  EXPECT_EQ(f.v().posCourante, 3);
  EXPECT_EQ(f.VScroll1->value(), 3);
  EXPECT_EQ(f.VScroll1->maximum(), 4);
  EXPECT_EQ(f.ean->text(), "4444444444444");
  EXPECT_EQ(f.titre->text(), "Alien");
  EXPECT_EQ(f.Compteur->text(), "3 / 4");
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 4 * Fiche::Taille);
  EXPECT_EQ(ficheSurDisque(t, 4).get(Champ::titre).trimmed(), "Alien");
  EXPECT_EQ(entreeLue(t, 3).numero, 4);
  EXPECT_EQ(entreeLue(t, 4).titre().trimmed(), "Casino");
  EXPECT_EQ(premiereLigneIni(t), "4");

  // A second card without a title lands after the first one without.
  nouvelleFiche(t, "5555555555555");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 5);
  EXPECT_EQ(f.v().posCourante, 2);
  EXPECT_EQ(f.ean->text(), "5555555555555");
  EXPECT_EQ(entreeLue(t, 2).numero, 5);
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, ModifierSansChangementRecritLaMemeFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Alien"), catalogue::fiche("2222222222222", "Brazil"),
                          catalogue::fiche("3333333333333", "Casino")});
  f.VScroll1->setValue(2);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));
  ASSERT_TRUE(historique::ecrire(historique::chemin(t.dossier.path(), "2222222222222"),
                                 {{"Martin", "01/01/2004", "02/02/2004"}}));

  QTest::mouseClick(f.modifier, Qt::LeftButton);
  EXPECT_FALSE(f.ean->isReadOnly());
  EXPECT_EQ(f.v().modifEnCours, 1);
  EXPECT_TRUE(f.conteneur->isEnabled());
  QTest::mouseClick(f.valider, Qt::LeftButton);

  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);
  EXPECT_EQ(f.v().posCourante, 2);
  EXPECT_EQ(f.titre->text(), "Brazil");
  EXPECT_EQ(f.Compteur->text(), "2 / 3");
  enNavigation(f);
  // The history file written meanwhile is seen by the validation.
  EXPECT_TRUE(f.historic->isVisible());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, TitreChangeReclasseEtMontreLaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Alien"), catalogue::fiche("2222222222222", "Brazil"),
                          catalogue::fiche("3333333333333", "Casino")});
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.titre->setText("Zorro");
  f.dateachat->clear();
  QTest::keyClicks(f.dateachat, "12-05-2003");
  QTest::mouseClick(f.valider, Qt::LeftButton);

  EXPECT_EQ(f.dateachat->text(), "12/05/2003");
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 3 * Fiche::Taille);
  const Fiche relue = ficheSurDisque(t, 1);
  EXPECT_EQ(relue.get(Champ::titre).trimmed(), "Zorro");
  EXPECT_EQ(relue.get(Champ::dateachat), "12/05/2003");
  EXPECT_EQ(entreeLue(t, 1).titre().trimmed(), "Brazil");
  EXPECT_EQ(entreeLue(t, 3).numero, 1);
  EXPECT_EQ(entreeLue(t, 3).dateachat(), "12/05/2003");
  EXPECT_EQ(f.v().posCourante, 3);
  EXPECT_EQ(f.titre->text(), "Zorro");
  EXPECT_EQ(f.Compteur->text(), "3 / 3");
  enNavigation(f);
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, CodeBarreChangeSansTitreChangeResteEnPlace) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), {catalogue::fiche("1111111111111", "Alien"),
                                       catalogue::fiche("2222222222222", "Brazil"),
                                       catalogue::fiche("3333333333333", "Casino")});
  // An index out of title order: only a re-sort would change it.
  const EntreeIndex premiere = entreeLue(t, 1);
  const EntreeIndex troisieme = entreeLue(t, 3);
  fichiers::ecrireEntree(t.dossier.path(), 1, troisieme);
  fichiers::ecrireEntree(t.dossier.path(), 3, premiere);
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray avant1 = entreeSurDisque(t, 1), avant3 = entreeSurDisque(t, 3);

  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.ean->clear();
  // Only digits go in, 13 at most.
  QTest::keyClicks(f.ean, "4a4-4 4x44444444445");
  EXPECT_EQ(f.ean->text(), "4444444444444");
  f.dateachat->clear();
  QTest::keyClicks(f.dateachat, "12.05.2003");
  QTest::mouseClick(f.valider, Qt::LeftButton);

  EXPECT_EQ(entreeSurDisque(t, 1), avant1);
  EXPECT_EQ(entreeSurDisque(t, 3), avant3);
  const EntreeIndex e = entreeLue(t, 2);
  EXPECT_EQ(e.ean(), "4444444444444");
  EXPECT_EQ(e.dateachat(), "12/05/2003");
  EXPECT_EQ(e.numero, 2);
  EXPECT_EQ(ficheSurDisque(t, 2).get(Champ::ean), "4444444444444");
  EXPECT_EQ(f.v().posCourante, 2);
  EXPECT_EQ(f.titre->text(), "Brazil");
  EXPECT_EQ(f.ean->text(), "4444444444444");
  EXPECT_TRUE(f.ean->isReadOnly());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, CompteurDeCaracteresDuResumeEtDesActeurs) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.modification();
  EXPECT_FALSE(f.cpt->isVisible());

  f.resumer->setFocus();
  EXPECT_TRUE(f.cpt->isVisible());
  EXPECT_EQ(f.cpt->text(), "0/580");
  f.resumer->setText(QString(578, u'x'));
  EXPECT_EQ(f.cpt->text(), "578/580");
  QTest::keyClicks(f.resumer, "yz");
  EXPECT_EQ(f.cpt->text(), "580/580");
  QTest::keyClicks(f.resumer, "w");
  QTest::keyClick(f.resumer, Qt::Key_Return);
  EXPECT_EQ(f.resumer->longueur(), 580);
  EXPECT_EQ(f.cpt->text(), "580/580");

  f.acteurs->setFocus();
  EXPECT_TRUE(f.cpt->isVisible());
  EXPECT_EQ(f.cpt->text(), "0/95");
  QTest::keyClicks(f.acteurs, "Sigourney");
  EXPECT_EQ(f.cpt->text(), "9/95");

  f.titre->setFocus();
  EXPECT_FALSE(f.cpt->isVisible());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, NomDEmprunteurExactAuxBlancsPres) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2)); // borrowers Durand, Martin
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  QTest::mouseClick(f.pret, Qt::LeftButton);
  ASSERT_EQ(f.v().pretEnCours, 1);

  for (const char *nom : {"martin", "Mart", ""}) {
    f.nom->setEditText(QString::fromLatin1(nom));
    t.dlg.repondre(Dialogues::OK, "Nom pas valide ou ne figurant pas dans la liste.", 48, "Message");
    QTest::mouseClick(f.valider, Qt::LeftButton);
    EXPECT_EQ(f.v().pretEnCours, 1) << nom;
    EXPECT_TRUE(f.valider->isVisible());
    EXPECT_TRUE(f.nom->hasFocus());
    EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  }

  f.nom->setEditText("  Martin ");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().pretEnCours, 0);
  enNavigation(f);
  const Fiche relue = ficheSurDisque(t, 1);
  EXPECT_EQ(relue.get(Champ::preter), "Oui");
  EXPECT_EQ(relue.get(Champ::datepret), aujourdhui());
  EXPECT_FALSE(f.pret->isEnabled());
  EXPECT_TRUE(f.retour->isEnabled());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, DeuxMilliemeFicheAccepteeLaSuivanteRefusee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  nouvelleFiche(t, "9999999999999");
  f.titre->setText("Zorro");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 2000);
  EXPECT_EQ(f.Compteur->text(), "2000 / 2000");
  EXPECT_EQ(f.titre->text(), "Zorro");
  EXPECT_EQ(premiereLigneIni(t), "2000");

  // The search refuses a new card before the entry starts.
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));
  const QString complet = QStringLiteral("Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r"
                                         "Cette fiche ne peut pas être enregistrée.");
  t.dlg.repondre(Dialogues::Oui, kCreer, 36, "Message").repondre(Dialogues::OK, complet, 48, "Message");
  QTest::keyClicks(f.eansearch, "8888888888888");
  EXPECT_EQ(f.v().modeCreation, 0);
  EXPECT_EQ(f.v().modifEnCours, 0);
  EXPECT_EQ(f.ean->text(), "");
  EXPECT_EQ(f.titre->text(), "Zorro");

  // Saving refuses it too, writing nothing and staying in the entry.
  f.v().modeCreation = 1;
  f.modification();
  f.titre->setText("Trop");
  t.dlg.repondre(Dialogues::OK, complet, 48, "Message");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.v().nbFiches, 2000);
  EXPECT_EQ(f.v().modifEnCours, 1);
  EXPECT_TRUE(f.valider->isVisible());
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);
  EXPECT_EQ(premiereLigneIni(t), "2000");
  t.dlg.verifierTousConsommes();
}
