#include "support/fenetre.h"

TEST(Clavier, EchapSurNouvelleFicheDUnCatalogueVideTermine) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({});
  f.v().modeCreation = 1;
  f.modification();
  t.question(Dialogues::Oui, kAnnuler);
  t.avis("Aucune fiche saisie dans le logiciel.\r\rFin de l'application !!!");
  QTest::keyClick(f.titre, Qt::Key_Escape);
  EXPECT_TRUE(f.termine() && QFileInfo(t.chemin("dvd.lst")).size() == 0);
}

// One key event as a window system sends it; `temps` is its time stamp.
struct Touche { QEvent::Type type; int cle; Qt::KeyboardModifiers m = {}; quint64 temps = 0; bool repetee = false; };

TEST(Clavier, ChaqueToucheAgitUneFoisEtPasQuandUneBoiteEstOuverteNiSurUneNouvelleFiche) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(45)); // large step 3, every title starts with F
  f.eansearch->setFocus();
  constexpr auto P = QEvent::KeyPress, R = QEvent::KeyRelease, W = QEvent::WindowDeactivate;
  constexpr auto D = Qt::Key_Down, N = Qt::Key_PageDown, Z = Qt::Key_Z;
  const QList<std::tuple<const char *, QList<Touche>, int>> cas = {
      {"overlapping keys", {{P, N}, {P, D}, {R, N}, {R, D}}, 4},
      {"repeat", {{P, D}, {R, D, {}, 0, true}, {P, D, {}, 0, true}, {R, D}}, 1},
      // A repeat Qt did not recognise: release and press with the same time.
      {"unpaired repeat", {{P, D, {}, 10}, {R, D, {}, 50}, {P, D, {}, 50}, {R, D, {}, 90}}, 1},
      {"release without press", {{R, D}}, 0},
      {"pressed before the window lost the keyboard", {{P, D}, {W, 0}, {R, D}}, 0},
      {"Ctrl+Z", {{P, Qt::Key_Control}, {P, Z, Qt::ControlModifier}, {R, Qt::Key_Control}, {R, Z}}, 0},
      {"Alt+Z", {{P, Z, Qt::AltModifier}, {R, Z, Qt::AltModifier}}, 0},
  };
  for (const auto &[quoi, evenements, deplacement] : cas) {
    const int avant = f.VScroll1->value();
    for (const Touche &e : evenements) {
      QKeyEvent k(e.type, e.cle, e.m, QString(), e.repetee);
      k.setTimestamp(e.temps);
      QApplication::sendEvent(e.type == W ? static_cast<QWidget *>(&f) : f.eansearch, &k); // W goes to the window
    }
    QTest::qWait(60); // a stamped release acts once its repeat could have shown
    EXPECT_EQ(f.VScroll1->value() - avant, deplacement) << quoi;
  }

  // F1 opens About; keys do not reach the main window meanwhile, Esc closes it.
  QTest::keyClick(f.eansearch, Qt::Key_F1);
  QWidget *about = nullptr;
  for (QWidget *w : QApplication::topLevelWidgets())
    about = w->objectName() == "About" && w->isVisible() ? w : about;
  ASSERT_TRUE(about);
  QTest::keyClick(f.eansearch, Qt::Key_Down);
  EXPECT_EQ(f.VScroll1->value(), 7);
  QTest::keyClick(about, Qt::Key_Escape);
  // The focused scroll bar moves by itself: once, not twice.
  f.VScroll1->setFocus();
  QTest::keyClick(f.VScroll1, Qt::Key_Down);
  EXPECT_EQ(f.VScroll1->value(), 8);

  // On a new card browsing keys do nothing and letters are typed, not searched; Esc asks, nothing is added.
  const QByteArray lst = t.octets("dvd.lst");
  t.question(Dialogues::Oui, kCreer);
  QTest::keyClicks(f.eansearch, "9999999999994");
  for (Qt::Key k : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_X})
    QTest::keyClick(f.titre, k);
  EXPECT_EQ(f.titre->text() + QString::number(f.VScroll1->value()), "x8");
  t.question(Dialogues::Oui, kAnnuler);
  QTest::keyClick(f.titre, Qt::Key_Escape);
  EXPECT_EQ(t.octets("dvd.lst"), lst);
}
