#include "support/fenetre.h"

#include <QFileInfo>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
void touche(QWidget *w, Qt::Key k) { QTest::keyClick(w, k); }
QString titreAffiche(Filmorel &f) { return f.titre->text(); }
} // namespace

TEST(Clavier, TouchesDeNavigationAuxBords) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(45)); // large step 3
  QWidget *cible = f.eansearch;
  cible->setFocus();

  touche(cible, Qt::Key_Up); // first card: nothing
  EXPECT_EQ(f.VScroll1->value(), 1);
  touche(cible, Qt::Key_PageUp);
  EXPECT_EQ(f.VScroll1->value(), 1);
  touche(cible, Qt::Key_Down);
  EXPECT_EQ(f.VScroll1->value(), 2);
  EXPECT_EQ(titreAffiche(f), "Film 002");
  touche(cible, Qt::Key_PageDown);
  EXPECT_EQ(f.VScroll1->value(), 5);
  touche(cible, Qt::Key_PageUp); // 5 > 3: back by the step
  EXPECT_EQ(f.VScroll1->value(), 2);
  touche(cible, Qt::Key_PageUp); // 2 <= 3: the minimum
  EXPECT_EQ(f.VScroll1->value(), 1);
  touche(cible, Qt::Key_End);
  EXPECT_EQ(f.VScroll1->value(), 45);
  touche(cible, Qt::Key_Down); // last card: nothing
  EXPECT_EQ(f.VScroll1->value(), 45);
  f.VScroll1->setValue(44);
  touche(cible, Qt::Key_PageDown); // 44 + 3 > 45: the maximum
  EXPECT_EQ(f.VScroll1->value(), 45);
  touche(cible, Qt::Key_Home);
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(f.Compteur->text(), "1 / 45");

  // The scroll bar moves by itself when it has the focus: once, not twice.
  f.VScroll1->setFocus();
  ASSERT_TRUE(f.v().focusScroll);
  touche(f.VScroll1, Qt::Key_Down);
  EXPECT_EQ(f.VScroll1->value(), 2);

  // While editing, browsing keys do nothing and letters are typed.
  f.modification();
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown})
    touche(f.titre, k);
  EXPECT_EQ(f.VScroll1->value(), 2);
  f.titre->setFocus();
  QTest::keyClick(f.titre, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(f.titre, "X");
  EXPECT_EQ(titreAffiche(f), "Film 002X");
  EXPECT_EQ(f.VScroll1->value(), 2);
}

TEST(Clavier, EchapSurNouvelleFicheDUnCatalogueVideTermine) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  f.v().modeCreation = 1;
  f.modification();
  t.dlg.repondre(Dialogues::Oui, "Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune modification ne sera apportée.",
                 36, "Message");
  t.dlg.repondre(Dialogues::OK, "Aucune fiche saisie dans le logiciel.\r\rFin de l'application !!!", 48, "Message");
  touche(f.titre, Qt::Key_Escape);
  EXPECT_TRUE(f.termine());
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 0);
  t.dlg.verifierTousConsommes();
}

TEST(Clavier, EchapSurNouvelleFicheRevientALaFichePrecedenteSansEnAjouter) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.VScroll1->setValue(2);
  const QByteArray lstAvant = catalogue::contenu(t.chemin("dvd.lst"));
  f.v().modeCreation = 1;
  f.modification();
  f.vidage();
  QTest::keyClicks(f.titre, "Nouveau");
  t.dlg.repondre(Dialogues::Non); // the entry goes on
  touche(f.titre, Qt::Key_Escape);
  EXPECT_EQ(f.v().modifEnCours, 1);
  t.dlg.repondre(Dialogues::Oui);
  touche(f.titre, Qt::Key_Escape);
  EXPECT_EQ(titreAffiche(f), "Film 002");
  EXPECT_FALSE(f.valider->isVisible());
  EXPECT_FALSE(f.conteneur->isEnabled());
  EXPECT_EQ(f.v().modeCreation, 0);

  // The next edit saves card 2 in place.
  touche(f.eansearch, Qt::Key_F2);
  ASSERT_EQ(f.v().modifEnCours, 1);
  EXPECT_FALSE(f.ean->isReadOnly());
  f.resumer->setText("Résumé");
  touche(f.resumer, Qt::Key_F5);
  EXPECT_EQ(f.v().nbFiches, 3);
  EXPECT_TRUE(f.ean->isReadOnly());
  const QByteArray lstApres = catalogue::contenu(t.chemin("dvd.lst"));
  EXPECT_EQ(lstApres.size(), lstAvant.size());
  EXPECT_EQ(lstApres.mid(1017 + 374, 6), QByteArray("R\xE9sum\xE9", 6));
  // F5 after a successful validation also runs its browsing row.
  EXPECT_TRUE(f.eansearch->hasFocus() || QApplication::focusWidget() == f.eansearch);
}

TEST(Clavier, TouchesDeFonctionSeulementQuandLeBoutonEstUtilisable) {
  FenetreTest t;
  Filmorel &vide = t.ouvrir({});
  for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F6, Qt::Key_F7, Qt::Key_F4})
    touche(vide.eansearch, k);
  EXPECT_EQ(vide.v().modifEnCours, 0);
  EXPECT_EQ(vide.v().pretEnCours, 0);
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 0);
  EXPECT_EQ(QFileInfo(t.chemin("dvd.idx")).size(), 0);

  FenetreTest t2;
  Fiche pretee = catalogue::fiche("1111111111111", "Alien");
  pretee.set(Champ::preter, "Oui");
  Filmorel &f = t2.ouvrir({pretee});
  touche(f.eansearch, Qt::Key_F6); // already lent
  EXPECT_EQ(f.v().pretEnCours, 0);
  EXPECT_FALSE(f.valider->isVisible());
}

TEST(Clavier, F1OuvreAProposEtLaFenetrePrincipaleAttend) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  touche(f.eansearch, Qt::Key_F1);
  QWidget *about = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->objectName() == "About" && w->isVisible())
      about = w;
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), "A propos de ...");
  EXPECT_EQ(about->findChild<QLabel *>("lblVersion")->text(), "Version : 2.6     /     Novembre 2004");
  EXPECT_EQ(about->findChild<QLabel *>("lblTitle")->text(), "F I L M O R E L");
  EXPECT_FALSE(f.isEnabled());
  // Keys and clicks do not reach the disabled main window.
  touche(f.eansearch, Qt::Key_Down);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  EXPECT_EQ(f.VScroll1->value(), 1);
  EXPECT_EQ(f.v().modifEnCours, 0);

  QPointer<QWidget> garde(about);
  QTest::keyClick(about, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(garde.isNull() || !garde->isVisible());
  EXPECT_TRUE(f.isEnabled());
}
