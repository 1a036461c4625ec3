#include "support/fenetre.h"
#include "support/dialoguesclavier.h"

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

namespace {
// Sends one key event as a window system does; `temps` is its time stamp.
void touche(QWidget *w, QEvent::Type type, int cle, Qt::KeyboardModifiers m = {}, bool repetee = false,
            quint64 temps = 0) {
  QKeyEvent e(type, cle, m, QString(), repetee);
  e.setTimestamp(temps);
  QApplication::sendEvent(w, &e);
}
} // namespace

TEST(Clavier, ChaqueToucheAgitUneFois) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(45)); // large step 3, every title starts with F
  f.eansearch->setFocus();
  QWidget *w = f.eansearch;
  constexpr auto P = QEvent::KeyPress, R = QEvent::KeyRelease;
  struct Cas {
    const char *quoi;
    QList<std::tuple<QEvent::Type, int, Qt::KeyboardModifiers, bool, quint64>> evenements;
    int deplacement;
  };
  const QList<Cas> cas = {
      {"overlapping keys", {{P, Qt::Key_PageDown, {}, false, 0}, {P, Qt::Key_Down, {}, false, 0},
                            {R, Qt::Key_PageDown, {}, false, 0}, {R, Qt::Key_Down, {}, false, 0}}, 4},
      // A repeat Qt did not recognise: release and press with the same time.
      {"unpaired repeat", {{P, Qt::Key_Down, {}, false, 10}, {R, Qt::Key_Down, {}, false, 50},
                           {P, Qt::Key_Down, {}, false, 50}, {R, Qt::Key_Down, {}, false, 90}}, 1},
      {"release without press", {{R, Qt::Key_Down, {}, false, 0}}, 0},
      {"Ctrl+Z", {{P, Qt::Key_Control, {}, false, 0}, {P, Qt::Key_Z, Qt::ControlModifier, false, 0},
                  {R, Qt::Key_Control, {}, false, 0}, {R, Qt::Key_Z, {}, false, 0}}, 0},
      {"Alt+Z", {{P, Qt::Key_Z, Qt::AltModifier, false, 0}, {R, Qt::Key_Z, Qt::AltModifier, false, 0}}, 0},
  };
  for (const Cas &c : cas) {
    const int avant = f.VScroll1->value();
    for (auto [type, cle, m, repetee, temps] : c.evenements)
      touche(w, type, cle, m, repetee, temps);
    QTest::qWait(60); // a stamped release acts once its repeat could have shown
    EXPECT_EQ(f.VScroll1->value() - avant, c.deplacement) << c.quoi;
  }
}

TEST(Clavier, LaToucheQuiRepondAUneBoiteNAgitPasSurLaFenetre) {
  DialoguesClavier boites;
  FenetreTest t;
  t.dialogues = &boites;
  Filmorel &f = t.ouvrir(catalogue::numerotees(5));
  t.activer();
  const QString effacer = "Etes-vous sûr de vouloir effacer cette fiche ?";

  // The scroll bar has the focus: F3, then Return twice, deletes one card and asks once.
  f.VScroll1->setFocus();
  boites.repondre(Qt::Key_Return);
  QTest::keyClick(f.VScroll1, Qt::Key_F3);
  boites.relacher(&f);
  QTest::keyClick(f.VScroll1, Qt::Key_Return);
  EXPECT_EQ(f.v().nbFiches, 4);
  EXPECT_EQ(boites.boites, QStringList({effacer}));

  // Esc on the question, on the title input box: nothing more (no question to quit).
  t.activer();
  boites.repondre(Qt::Key_Escape);
  QTest::keyClick(f.VScroll1, Qt::Key_F3);
  boites.relacher(&f);
  boites.repondre(Qt::Key_Escape);
  f.SM_Recherche_Film->trigger();
  boites.relacher(&f);
  EXPECT_EQ(boites.boites, QStringList({effacer, effacer, "Titre du film ?"}));
  EXPECT_TRUE(f.v().nbFiches == 4 && !f.termine());
}
