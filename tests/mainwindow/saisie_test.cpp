#include "support/fenetre.h"

TEST(Saisie, CatalogueVidePuisFichesNouvellesRangeesAPlace) {
  FenetreTest t;
  t.avis("Base de donnée vierge.\r\rVeuillez saisir le code E.A.N (13) d'un DVD dans la fenêtre suivante "
         "pour créer une nouvelle fiche.\r\rMerci d'utiliser ce logiciel et bonne application !!!");
  catalogue::ecrire(t.dossier.path(), {});
  Filmorel &f = t.demarrer();
  t.avis("Pas de fiche '' A '' correspondante !!!\r", 0);
  QTest::keyClick(f.eansearch, Qt::Key_A);

  t.question(Dialogues::Oui, kCreer);
  QTest::keyClicks(f.eansearch, "3012345678902");
  QTest::keyClicks(f.titre, "Alien");
  QTest::keyClicks(f.annee, "1979");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  // The defaults shown for a new card are the ones saved.
  const Fiche attendue = catalogue::fiche("3012345678902", "Alien", {{Champ::annee, "1979"}, {Champ::duree, ""},
      {Champ::achat, ""}, {Champ::dateachat, aujourdhui()}, {Champ::jacket, "jacket.bmp"}});
  EXPECT_EQ(t.octets("dvd.lst"), attendue.versOctets());
  EXPECT_EQ(t.octets("dvd.idx") + t.octets("dvd.ini").left(3),
            (EntreeIndex{EntreeIndex::cleDe(attendue), 1}).versOctets() + "1\r\n");
}

TEST(Saisie, ModifierSansChangementPuisLeCodeBarreSeul) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
  // An index out of title order (Film 003, 002, 001): only a re-sort would change it.
  const int n = EntreeIndex::Taille;
  QByteArray idx = t.octets("dvd.idx");
  catalogue::ecrireOctets(t.chemin("dvd.idx"), idx = idx.mid(2 * n) + idx.mid(n, n) + idx.left(n));
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray lst = t.octets("dvd.lst");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx"), lst + idx);

  // A new bar code alone rewrites that entry only.
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.ean->clear();
  QTest::keyClicks(f.ean, "4a4-4 4x44444444445"); // only digits go in, 13 at most
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.idx").remove(n, n), QByteArray(idx).remove(n, n));
  EXPECT_EQ(t.entree(2).ean() + t.lue(2).get(Champ::ean), "44444444444444444444444444");
}

TEST(Saisie, DeuxMilliemeFicheAccepteeLaSuivanteRefusee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  t.question(Dialogues::Oui, kCreer);
  QTest::keyClicks(f.eansearch, "9999999999994");
  f.titre->setText("Zorro");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  // The search refuses a new card before the entry starts.
  const QByteArray avant = t.octets("dvd.lst") + t.octets("dvd.idx");
  t.question(Dialogues::Oui, kCreer);
  t.avis("Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r"
         "Cette fiche ne peut pas être enregistrée.");
  QTest::keyClicks(f.eansearch, "8888888888888");
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx") + t.octets("dvd.ini").left(6), avant + "2000\r\n");
}

TEST(Saisie, SaisiesControleesCeuxDuFichierRendusTelsQuels) {
  FenetreTest t;
  // A card of the older program: a short bar code, a date written its own way.
  Filmorel &f = t.ouvrir({catalogue::fiche("123", "Alien", {{Champ::dateachat, "12-05-03"}})});
  QByteArray lst = t.octets("dvd.lst");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst"), lst);

  // Each refused entry stays open to be corrected, nothing saved.
  const QString date = QStringLiteral(" n'est pas une date valide.\r\rSaisissez-la sous la forme jj/mm/aaaa (par "
                                      "exemple 25/12/2004) ou laissez-la vide.");
  auto refuse = [&](QLineEdit *boite, const char *texte, const QString &message) {
    boite->setText(texte);
    t.avis(message);
    QTest::mouseClick(f.valider, Qt::LeftButton);
    EXPECT_TRUE(f.valider->isVisible() && t.octets("dvd.lst") == lst) << texte;
  };
  // The bar code is checked first; a card's own bar code and date are not checked.
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  for (const char *jour : {"31/02/2005", "hier soir", "25/12/04"})
    refuse(f.dateachat, jour, "La date d'achat" + date);
  refuse(f.ean, "123456789012", "Le code E.A.N doit comporter exactement 13 chiffres !!!");
  f.ean->setText("1234567890128");
  f.dateachat->setText("29.02.2004");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.lue(1).get(Champ::ean) + t.lue(1).get(Champ::dateachat) + t.entree(1).dateachat(),
            "123456789012829/02/200429/02/2004");

  // A loan needs a borrower of the list, blanks aside, and a real date.
  lst = t.octets("dvd.lst");
  QTest::mouseClick(f.pret, Qt::LeftButton);
  for (const char *nom : {"martin", "Mart"})
    refuse(f.nom->lineEdit(), nom, "Nom pas valide ou ne figurant pas dans la liste.");
  f.nom->setEditText("  Martin ");
  refuse(f.datepret, "hier soir", "La date de prêt" + date);
  f.datepret->setText("24-12-2004");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_TRUE(t.pret(1).startsWith("Oui|24/12/2004|")) << t.pret(1).toStdString();
}

// Text committed by an input method (dead keys, compose) obeys the counter's limit.
TEST(Saisie, MethodeDeSaisieLimiteeA580Caracteres) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  f.modification();
  f.resumer->setText(QString(578, u'x'));
  f.resumer->moveCursor(QTextCursor::End);
  QInputMethodEvent compose;
  compose.setCommitString("éèà");
  QApplication::sendEvent(f.resumer, &compose);
  EXPECT_EQ(f.resumer->text().right(3) + " " + f.cpt->text(), "xéè 580/580");
}
