#include "support/fenetre.h"

TEST(Clavier, TouchesDeNavigationAuxBords) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(45)); // large step 3
  f.eansearch->setFocus();
  // Nothing before the first card or after the last; PageUp from 2 <= 3 goes to the minimum, PageDown from
  // 44 (44 + 3 > 45) to the maximum.
  for (auto [k, attendu] : {std::pair{Qt::Key_Up, 1}, {Qt::Key_PageUp, 1}, {Qt::Key_Down, 2}, {Qt::Key_PageDown, 5},
                            {Qt::Key_PageUp, 2}, {Qt::Key_PageUp, 1}, {Qt::Key_End, 45}, {Qt::Key_Down, 45},
                            {Qt::Key_Up, 44}, {Qt::Key_PageDown, 45}, {Qt::Key_Home, 1}}) {
    QTest::keyClick(f.eansearch, k);
    EXPECT_EQ(f.VScroll1->value(), attendu) << k;
  }
  EXPECT_EQ(f.Compteur->text(), "1 / 45");

  // The scroll bar moves by itself when it has the focus: once, not twice.
  f.VScroll1->setFocus();
  ASSERT_TRUE(f.v().focusScroll);
  QTest::keyClick(f.VScroll1, Qt::Key_Down);
  EXPECT_EQ(f.VScroll1->value(), 2);

  // While editing, browsing keys do nothing and letters are typed.
  f.modification();
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown})
    QTest::keyClick(f.titre, k);
  EXPECT_EQ(f.VScroll1->value(), 2);
  f.titre->setFocus();
  QTest::keyClick(f.titre, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClicks(f.titre, "X");
  EXPECT_EQ(f.titre->text(), "Film 002X");
  EXPECT_EQ(f.VScroll1->value(), 2);
}

TEST(Clavier, EchapSurNouvelleFicheDUnCatalogueVideTermine) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  f.v().modeCreation = 1;
  f.modification();
  t.question(Dialogues::Oui, kAnnuler);
  t.avis("Aucune fiche saisie dans le logiciel.\r\rFin de l'application !!!");
  QTest::keyClick(f.titre, Qt::Key_Escape);
  EXPECT_TRUE(f.termine());
  EXPECT_EQ(QFileInfo(t.chemin("dvd.lst")).size(), 0);
}

TEST(Clavier, EchapSurNouvelleFicheRevientALaFichePrecedenteSansEnAjouter) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.VScroll1->setValue(2);
  const QByteArray lstAvant = t.octets("dvd.lst");
  f.v().modeCreation = 1;
  f.modification();
  f.vidage();
  QTest::keyClicks(f.titre, "Nouveau");
  t.dlg.repondre(Dialogues::Non); // the entry goes on
  QTest::keyClick(f.titre, Qt::Key_Escape);
  EXPECT_EQ(f.v().modifEnCours, 1);
  t.dlg.repondre(Dialogues::Oui);
  QTest::keyClick(f.titre, Qt::Key_Escape);
  EXPECT_EQ(f.titre->text(), "Film 002");
  EXPECT_FALSE(f.valider->isVisible() || f.conteneur->isEnabled() || f.v().modeCreation);

  // The next edit (F2, F5) saves card 2 in place.
  QTest::keyClick(f.eansearch, Qt::Key_F2);
  ASSERT_EQ(f.v().modifEnCours, 1);
  f.resumer->setText("Résumé");
  QTest::keyClick(f.resumer, Qt::Key_F5);
  EXPECT_TRUE(f.v().nbFiches == 3 && f.ean->isReadOnly());
  EXPECT_EQ(t.octets("dvd.lst"), QByteArray(lstAvant).replace(1017 + 374, 6, "R\xE9sum\xE9"));
  // F5 after a successful validation also runs its browsing row.
  EXPECT_TRUE(f.eansearch->hasFocus() || QApplication::focusWidget() == f.eansearch);
}

TEST(Clavier, F1OuvreAProposEtLaFenetrePrincipaleAttend) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  QTest::keyClick(f.eansearch, Qt::Key_F1);
  QWidget *about = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->objectName() == "About" && w->isVisible())
      about = w;
  ASSERT_NE(about, nullptr);
  EXPECT_FALSE(f.isEnabled());
  // Keys and clicks do not reach the disabled main window.
  QTest::keyClick(f.eansearch, Qt::Key_Down);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  EXPECT_EQ(QList<int>({f.VScroll1->value(), f.v().modifEnCours}), QList<int>({1, 0}));

  QPointer<QWidget> garde(about);
  QTest::keyClick(about, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE((garde.isNull() || !garde->isVisible()) && f.isEnabled());
}
