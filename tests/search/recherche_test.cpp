#include "support/fenetre.h"

#include "storage/fichiers.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const QString kFilmNonTrouve = QStringLiteral("Film non trouvé !!!\r");
const QString kCreer = QStringLiteral("Fiche non trouvée !!!\r\rVoulez-vous la créer ?");

QString titreAffiche(Filmorel &f) { return f.titre->text(); }

// Cards given by title; bar codes 100000000000n in the given order.
QList<Fiche> cartes(const QStringList &titres) {
  QList<Fiche> l;
  for (int i = 0; i < titres.size(); ++i)
    l.append(catalogue::fiche(QString::number(1000000000000LL + i + 1), titres[i]));
  return l;
}

void montrerPosition(Filmorel &f, int p) {
  f.VScroll1->setValue(p);
  ASSERT_EQ(f.v().posCourante, p);
}
} // namespace

TEST(RechercheTitre, SousChaineSansCassePremiereDansLOrdreDeLIndex) {
  FenetreTest t;
  // Index order: Alien, Aliens, Casino, Le retour de l'alien.
  Filmorel &f = t.ouvrir(cartes({"Le retour de l'alien", "Casino", "Aliens", "Alien"}));
  montrerPosition(f, 3);

  t.dlg.saisir("  ALIEN ");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(t.dlg.questionsSaisie.value(0), "Titre du film ?");
  EXPECT_EQ(f.v().posCourante, 1);
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(titreAffiche(f), "Alien");
  EXPECT_EQ(f.Compteur->text(), "1 / 4");

  t.dlg.saisir("etour");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(titreAffiche(f), "Le retour de l'alien");
  EXPECT_EQ(f.v().posCourante, 4);
  EXPECT_FALSE(f.Progress->isVisible());
  EXPECT_EQ(f.v().reponse, 0);

  // Not found: the card and the position stay.
  t.dlg.saisir("Brazil").repondre(Dialogues::OK, kFilmNonTrouve, 1, "Message");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(titreAffiche(f), "Le retour de l'alien");
  EXPECT_EQ(f.v().posCourante, 4);
  EXPECT_EQ(f.VScroll1->value(), 4);
  EXPECT_FALSE(f.Progress->isVisible());

  // Blanks only, or Cancel: no search at all, the focus goes to eansearch.
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  for (const QString &reponse : {QStringLiteral("   "), QString()}) {
    f.VScroll1->setFocus();
    t.dlg.saisir(reponse);
    f.SM_Recherche_Film->trigger();
    EXPECT_EQ(f.v().posCourante, 4);
    EXPECT_TRUE(f.eansearch->hasFocus());
  }
  t.dlg.verifierTousConsommes();
}

TEST(RechercheTitre, CatalogueVideRepondPasTrouveSansToucherALaFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  t.dlg.saisir("Alien").repondre(Dialogues::OK, kFilmNonTrouve, 1, "Message");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(f.v().posCourante, 1);
  EXPECT_EQ(f.Genre->currentText(), "Film"); // the defaults of a new card stay
  EXPECT_EQ(f.format->text(), "16:9");
  EXPECT_FALSE(f.Progress->isVisible());
  EXPECT_EQ(QFileInfo(t.chemin("dvd.idx")).size(), 0);

  // The letter search has nothing to walk either.
  f.v().reponseTexte = "A";
  t.dlg.repondre(Dialogues::OK, "Pas de fiche '' A '' correspondante !!!\r", 0, "Message");
  f.recherchedirecte();
  EXPECT_EQ(f.Genre->currentText(), "Film");
  t.dlg.verifierTousConsommes();
}

TEST(RechercheEan, DouzeChiffresAttendentLeTreiziemeCherche) {
  FenetreTest t;
  QList<Fiche> l = cartes({"Alien", "Brazil", "Casino"});
  l.append(catalogue::fiche("1000000000002", "Aaa double")); // Brazil's bar code again
  Filmorel &f = t.ouvrir(l);
  montrerPosition(f, 4);

  QTest::keyClicks(f.eansearch, "100000000000");
  EXPECT_EQ(f.eansearch->text(), "100000000000");
  EXPECT_EQ(f.ean->text(), "1000000000003");
  EXPECT_EQ(f.v().posCourante, 4);

  // The 13th digit: the box empties and the first card in index order shows.
  QTest::keyClick(f.eansearch, Qt::Key_2);
  EXPECT_EQ(f.eansearch->text(), "");
  EXPECT_EQ(f.v().posCourante, 1);
  EXPECT_EQ(titreAffiche(f), "Aaa double");
  EXPECT_EQ(f.ean->text(), "1000000000002");
  EXPECT_EQ(f.Compteur->text(), "1 / 4");
  EXPECT_FALSE(f.Progress->isVisible());

  // Anything but a digit is refused.
  QTest::keyClicks(f.eansearch, "12-3 .4");
  EXPECT_EQ(f.eansearch->text(), "1234");
  // A letter is not typed either; as everywhere while browsing, it jumps to
  // the next title with that initial.
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  f.eansearch->setFocus();
  QTest::keyClick(f.eansearch, Qt::Key_B);
  EXPECT_EQ(f.eansearch->text(), "1234");
  EXPECT_EQ(titreAffiche(f), "Brazil");
  t.dlg.verifierTousConsommes();
}

TEST(RechercheEan, FicheAbsenteCreationOuNon) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(cartes({"Alien", "Brazil"}));
  montrerPosition(f, 2);

  // No: the bar code goes, the rest of the card on display stays.
  t.dlg.repondre(Dialogues::Non, kCreer, 36, "Message");
  QTest::keyClicks(f.eansearch, "9999999999999");
  EXPECT_EQ(f.ean->text(), "");
  EXPECT_EQ(titreAffiche(f), "Brazil");
  EXPECT_EQ(f.v().posCourante, 2);
  EXPECT_EQ(f.v().modeCreation, 0);
  EXPECT_FALSE(f.conteneur->isEnabled());

  // Yes: a new card with the typed bar code, which stays read-only.
  t.dlg.repondre(Dialogues::Oui, kCreer, 36, "Message");
  QTest::keyClicks(f.eansearch, "9999999999999");
  EXPECT_EQ(f.v().modeCreation, 1);
  EXPECT_EQ(f.v().modifEnCours, 1);
  EXPECT_TRUE(f.conteneur->isEnabled());
  EXPECT_TRUE(f.valider->isVisible());
  EXPECT_FALSE(f.eansearch->isVisible());
  EXPECT_EQ(f.ean->text(), "9999999999999");
  EXPECT_TRUE(f.ean->isReadOnly());
  EXPECT_EQ(titreAffiche(f), "");
  EXPECT_EQ(f.Genre->currentText(), "Film");
  EXPECT_EQ(f.v().posCourante, 2);
  t.dlg.verifierTousConsommes();
}

TEST(RechercheDirecte, InitialeApresLaFicheCouranteEnBouclant) {
  FenetreTest t;
  // Index order (case-sensitive): Amelie, Brazil, Casino, alien.
  Filmorel &f = t.ouvrir(cartes({"Brazil", "alien", "Casino", "Amelie"}));
  auto lettre = [&f](const char *l) {
    f.v().reponseTexte = QString::fromLatin1(l);
    f.recherchedirecte();
  };
  lettre("A");
  EXPECT_EQ(titreAffiche(f), "alien");
  EXPECT_EQ(f.v().posCourante, 4);
  lettre("A"); // wraps
  EXPECT_EQ(titreAffiche(f), "Amelie");
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(f.Compteur->text(), "1 / 4");

  // The current card, the only one with its letter, is found again silently.
  montrerPosition(f, 3);
  lettre("C");
  EXPECT_EQ(titreAffiche(f), "Casino");
  EXPECT_EQ(f.v().posCourante, 3);

  t.dlg.repondre(Dialogues::OK, "Pas de fiche '' Z '' correspondante !!!\r", 0, "Message");
  lettre("z");
  EXPECT_EQ(titreAffiche(f), "Casino");
  EXPECT_EQ(f.v().posCourante, 3);
  EXPECT_EQ(f.v().reponse, 0);
  EXPECT_FALSE(f.Progress->isVisible());
  t.dlg.verifierTousConsommes();
}

TEST(RecherchePret, SecondPassageEtAucunPret) {
  FenetreTest t;
  QList<Fiche> l = catalogue::numerotees(4);
  l[0].set(Champ::preter, "Oui");
  Filmorel &f = t.ouvrir(l);
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));

  // The only lent card precedes the current one: the second pass finds it.
  montrerPosition(f, 3);
  f.VScroll1->setFocus();
  f.SM_Recherche_Pret->trigger();
  EXPECT_EQ(f.v().posCourante, 1);
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(titreAffiche(f), "Film 001");
  EXPECT_FALSE(f.pret->isEnabled());
  EXPECT_TRUE(f.eansearch->hasFocus());
  // Itself the only lent card: lands on it again.
  f.recherchepret();
  EXPECT_EQ(f.v().posCourante, 1);

  // None lent: the message, then the stored card shown again.
  l[0].set(Champ::preter, "Non");
  fichiers::ecrireFiche(t.dossier.path(), 1, l[0]);
  montrerPosition(f, 2);
  f.titre->setText("pas enregistré");
  t.dlg.repondre(Dialogues::OK, "Aucun prêt trouvé !!!\r", 1, "Message");
  f.SM_Recherche_Pret->trigger();
  EXPECT_EQ(f.v().posCourante, 2);
  EXPECT_EQ(titreAffiche(f), "Film 002");
  EXPECT_EQ(f.v().ficheCourante.get(Champ::ean).trimmed(), "3000000000002");
  t.dlg.verifierTousConsommes();
}
