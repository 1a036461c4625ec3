#include "support/fenetre.h"

#include "storage/fichiers.h"
#include "storage/historique.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const QString kCreer = QStringLiteral("Fiche non trouvée !!!\r\rVoulez-vous la créer ?");

QByteArray octets(FenetreTest &t, const char *nom) { return catalogue::contenu(t.chemin(nom)); }
QString premiereLigneIni(FenetreTest &t) { return QString::fromLatin1(octets(t, "dvd.ini")).section("\r\n", 0, 0); }

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

void nouvelleFiche(FenetreTest &t, const char *code) {
  t.dlg.repondre(Dialogues::Oui, kCreer, 36, "Message");
  QTest::keyClicks(t.f->eansearch, code);
  ASSERT_EQ(t.f->v().modeCreation, 1);
}

void enNavigation(Filmorel &f) {
  EXPECT_EQ(f.v().modifEnCours + f.v().pretEnCours + f.v().modeCreation, 0);
  EXPECT_FALSE(f.valider->isVisible() || f.conteneur->isEnabled() || !f.ean->isReadOnly());
  for (QWidget *w : std::initializer_list<QWidget *>{f.modifier, f.pret, f.quitter, f.eansearch, f.VScroll1})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
}
} // namespace

TEST(Saisie, PremiereFicheDUnCatalogueVide) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  nouvelleFiche(t, "3012345678901");
  EXPECT_FALSE(f.eansearch->isVisible() || f.quitter->isVisible() || f.nom->isEnabled());
  QTest::keyClicks(f.titre, "Alien");
  QTest::keyClicks(f.annee, "1979");
  QTest::mouseClick(f.valider, Qt::LeftButton);

  Fiche attendue = catalogue::fiche("3012345678901", "Alien");
  for (Champ c : {Champ::duree, Champ::achat, Champ::acteurs, Champ::resumer, Champ::datepret, Champ::nom})
    attendue.set(c, "");
  attendue.set(Champ::annee, "1979");
  attendue.set(Champ::dateachat, aujourdhui());
  attendue.set(Champ::jacket, "jacket.bmp");
  EXPECT_EQ(octets(t, "dvd.lst"), attendue.versOctets());
  EntreeIndex e;
  e.cle = EntreeIndex::cleDe(attendue);
  e.numero = 1;
  EXPECT_EQ(octets(t, "dvd.idx"), e.versOctets());
  EXPECT_EQ(premiereLigneIni(t), "1");
  enNavigation(f);
  EXPECT_FALSE(f.historic->isVisible() || f.ajou[0]->isVisible());
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
  EXPECT_EQ(f.Compteur->text(), "3 / 4");
  EXPECT_EQ(entreeLue(t, 3).numero, 4);
  EXPECT_EQ(premiereLigneIni(t), "4");
  nouvelleFiche(t, "5555555555555"); // without a title: after the first one without
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(entreeLue(t, 2).numero, 5);
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, ModifierSansChangementPuisTitreChangeReclasse) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Alien"), catalogue::fiche("2222222222222", "Brazil"),
                          catalogue::fiche("3333333333333", "Casino")});
  f.VScroll1->setValue(2);
  const QByteArray lst = octets(t, "dvd.lst"), idx = octets(t, "dvd.idx");
  ASSERT_TRUE(historique::ecrire(historique::chemin(t.dossier.path(), "2222222222222"),
                                 {{"Martin", "01/01/2004", "02/02/2004"}}));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(octets(t, "dvd.lst"), lst);
  EXPECT_EQ(octets(t, "dvd.idx"), idx);
  enNavigation(f);
  EXPECT_TRUE(f.historic->isVisible()); // the history file written meanwhile is seen

  f.VScroll1->setValue(1);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.titre->setText("Zorro");
  f.dateachat->clear();
  QTest::keyClicks(f.dateachat, "12-05-2003");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(ficheSurDisque(t, 1).get(Champ::dateachat), "12/05/2003");
  EXPECT_EQ(entreeLue(t, 3).numero, 1);
  EXPECT_EQ(entreeLue(t, 3).dateachat(), "12/05/2003");
  EXPECT_EQ(f.Compteur->text(), "3 / 3");
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, CodeBarreChangeSansTitreChangeResteEnPlace) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
  // An index out of title order: only a re-sort would change it.
  const EntreeIndex premiere = entreeLue(t, 1), troisieme = entreeLue(t, 3);
  fichiers::ecrireEntree(t.dossier.path(), 1, troisieme);
  fichiers::ecrireEntree(t.dossier.path(), 3, premiere);
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray avant = octets(t, "dvd.idx");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.ean->clear();
  QTest::keyClicks(f.ean, "4a4-4 4x44444444445"); // only digits go in, 13 at most
  QTest::mouseClick(f.valider, Qt::LeftButton);
  const QByteArray apres = octets(t, "dvd.idx");
  const int n = EntreeIndex::Taille;
  EXPECT_EQ(apres.left(n) + apres.mid(2 * n), avant.left(n) + avant.mid(2 * n));
  EXPECT_EQ(entreeLue(t, 2).ean(), "4444444444444");
  EXPECT_EQ(ficheSurDisque(t, 2).get(Champ::ean), "4444444444444");
  EXPECT_EQ(f.v().posCourante, 2);
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, CompteurDeCaracteresDuResumeEtDesActeurs) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.modification();
  f.resumer->setFocus();
  f.resumer->setText(QString(578, u'x'));
  QTest::keyClicks(f.resumer, "yzw");
  QTest::keyClick(f.resumer, Qt::Key_Return);
  EXPECT_EQ(f.resumer->longueur(), 580);
  EXPECT_EQ(f.cpt->text(), "580/580");
  f.acteurs->setFocus();
  EXPECT_EQ(f.cpt->text(), "0/95");
}

TEST(Saisie, NomDEmprunteurExactAuxBlancsPres) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2)); // borrowers Durand, Martin
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  const QByteArray lst = octets(t, "dvd.lst");
  QTest::mouseClick(f.pret, Qt::LeftButton);
  for (const char *nom : {"martin", "Mart", ""}) {
    f.nom->setEditText(QString::fromLatin1(nom));
    t.dlg.repondre(Dialogues::OK, "Nom pas valide ou ne figurant pas dans la liste.", 48, "Message");
    QTest::mouseClick(f.valider, Qt::LeftButton);
    EXPECT_EQ(f.v().pretEnCours, 1) << nom;
    EXPECT_EQ(octets(t, "dvd.lst"), lst);
  }
  f.nom->setEditText("  Martin ");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  enNavigation(f);
  EXPECT_EQ(ficheSurDisque(t, 1).get(Champ::preter), "Oui");
  EXPECT_EQ(ficheSurDisque(t, 1).get(Champ::datepret), aujourdhui());
  EXPECT_TRUE(f.retour->isEnabled() && !f.pret->isEnabled());
  t.dlg.verifierTousConsommes();
}

TEST(Saisie, DeuxMilliemeFicheAccepteeLaSuivanteRefusee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  nouvelleFiche(t, "9999999999999");
  f.titre->setText("Zorro");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.Compteur->text(), "2000 / 2000");

  // The search refuses a new card before the entry starts.
  const QByteArray lst = octets(t, "dvd.lst"), idx = octets(t, "dvd.idx");
  const QString complet = QStringLiteral("Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r"
                                         "Cette fiche ne peut pas être enregistrée.");
  t.dlg.repondre(Dialogues::Oui, kCreer, 36, "Message").repondre(Dialogues::OK, complet, 48, "Message");
  QTest::keyClicks(f.eansearch, "8888888888888");
  EXPECT_EQ(f.v().modeCreation + f.v().modifEnCours, 0);
  EXPECT_EQ(octets(t, "dvd.lst") + octets(t, "dvd.idx"), lst + idx);
  EXPECT_EQ(premiereLigneIni(t), "2000");
  t.dlg.verifierTousConsommes();
}
