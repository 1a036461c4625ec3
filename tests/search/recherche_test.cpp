#include "support/fenetre.h"

// Cards given by title; bar codes 100000000000n in the given order.
static QList<Fiche> cartes(const QStringList &titres) {
  QList<Fiche> l;
  for (const QString &titre : titres)
    l.append(catalogue::fiche(QString::number(1000000000001LL + l.size()), titre));
  return l;
}

TEST(Recherche, TitreSousChaineSansCasseEtAucunPret) {
  FenetreTest t;
  // Index order: Alien, Aliens, Casino, Le retour de l'alien.
  Filmorel &f = t.ouvrir(cartes({"Le retour de l'alien", "Casino", "Aliens", "Alien"}));
  f.VScroll1->setValue(3);
  t.dlg.saisir("  ALIEN ");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(QString::number(f.VScroll1->value()) + f.titre->text(), "1Alien");
  // Not found, or blanks only (a blank is in every title): the position stays.
  f.VScroll1->setValue(3);
  t.avis("Film non trouvé !!!\r", 1).saisir("Brazil");
  f.SM_Recherche_Film->trigger();
  t.dlg.saisir("   ");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(f.titre->text() + QString::number(f.v().posCourante), "Casino3");

  t.avis("Aucun prêt trouvé !!!\r", 1);
  f.SM_Recherche_Pret->trigger();
}

TEST(RechercheEan, TreizeChiffresCherchentFicheAbsenteCreeeOuNon) {
  FenetreTest t;
  QList<Fiche> l = cartes({"Alien", "Brazil", "Casino"});
  l.append(catalogue::fiche("1000000000002", "Aaa double")); // Brazil's bar code again
  Filmorel &f = t.ouvrir(l);
  f.VScroll1->setValue(4);
  // The 13th digit searches: the first card in index order shows.
  QTest::keyClicks(f.eansearch, "1000000000002");
  EXPECT_EQ(f.titre->text(), "Aaa double");

  // Not found, No: the card on display comes back whole, so an edit saves it as it is.
  const QByteArray avant = t.octets("dvd.lst") + t.octets("dvd.idx");
  t.question(Dialogues::Non, kCreer);
  QTest::keyClicks(f.eansearch, "9999999999994");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx"), avant);

  // A wrong check digit asks once before a card is created; No is the same No.
  t.question(Dialogues::Oui, kCreer).repondre(Dialogues::Non, "Le code barre 9999999999991 n'est pas un code EAN-13 "
      "valide : le chiffre de contrôle ne correspond pas.\r\rCréer la fiche quand même ?", 36, "Message");
  QTest::keyClicks(f.eansearch, "9999999999991");
  EXPECT_TRUE(f.ean->text() == "1000000000002" && f.v().modeCreation == 0);
}
