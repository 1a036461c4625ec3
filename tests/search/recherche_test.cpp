#include "support/fenetre.h"

namespace {
const QString kFilmNonTrouve = QStringLiteral("Film non trouvé !!!\r");

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

TEST(Recherche, TitreSousChaineSansCassePuisPret) {
  FenetreTest t;
  // Index order: Alien, Aliens, Casino, Le retour de l'alien.
  Filmorel &f = t.ouvrir(cartes({"Le retour de l'alien", "Casino", "Aliens", "Alien"}));
  montrerPosition(f, 3);
  t.dlg.saisir("  ALIEN ");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(t.dlg.questionsSaisie.value(0), "Titre du film ?");
  // The catalogue's titles are offered while typing.
  EXPECT_EQ(t.dlg.propositions, QStringList({"Alien", "Aliens", "Casino", "Le retour de l'alien"}));
  EXPECT_EQ(QString::number(f.VScroll1->value()) + f.titre->text(), "1Alien");
  // Not found: the card and the position stay.
  montrerPosition(f, 3);
  t.avis(kFilmNonTrouve, 1).saisir("Brazil");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(f.titre->text() + QString::number(f.v().posCourante), "Casino3");
  // Blanks only: no search at all (a blank is in every title).
  t.dlg.saisir("   ");
  f.SM_Recherche_Film->trigger();
  EXPECT_EQ(f.v().posCourante, 3);

  // Loan search, none lent: the message, then the stored card shown again.
  f.titre->setText("pas enregistré");
  t.avis("Aucun prêt trouvé !!!\r", 1);
  f.SM_Recherche_Pret->trigger();
  EXPECT_EQ(f.titre->text(), "Casino");
  // A lent card before the current one is found.
  fichiers::ecrireFiche(t.dossier.path(), 4, catalogue::fiche("1000000000004", "Alien", {{Champ::preter, "Oui"}}));
  f.SM_Recherche_Pret->trigger();
  EXPECT_EQ(f.titre->text(), "Alien");
}

TEST(RechercheEan, TreizeChiffresCherchentFicheAbsenteCreeeOuNon) {
  FenetreTest t;
  QList<Fiche> l = cartes({"Alien", "Brazil", "Casino"});
  l.append(catalogue::fiche("1000000000002", "Aaa double")); // Brazil's bar code again
  Filmorel &f = t.ouvrir(l);
  montrerPosition(f, 4);
  QTest::keyClicks(f.eansearch, "100000000000");
  EXPECT_EQ(f.v().posCourante, 4);
  // The 13th digit: the box empties and the first card in index order shows.
  QTest::keyClick(f.eansearch, Qt::Key_2);
  EXPECT_EQ(f.eansearch->text() + "|" + f.titre->text(), "|Aaa double");

  // Not found, No: the card on display comes back whole, so an edit saves it as it is.
  const QByteArray avant = t.octets("dvd.lst") + t.octets("dvd.idx");
  t.question(Dialogues::Non, kCreer);
  QTest::keyClicks(f.eansearch, "9999999999994");
  EXPECT_EQ(f.ean->text() + "|" + f.titre->text(), "1000000000002|Aaa double");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx"), avant);

  // A wrong check digit asks once before a card is created: No is the same No, Yes goes on.
  const QString cle = QStringLiteral("Le code barre %1 n'est pas un code EAN-13 valide : le chiffre de contrôle ne "
                                     "correspond pas.\r\rCréer la fiche quand même ?");
  t.question(Dialogues::Oui, kCreer).repondre(Dialogues::Non, cle.arg("9999999999991"), 36, "Message");
  QTest::keyClicks(f.eansearch, "9999999999991");
  EXPECT_TRUE(f.ean->text() == "1000000000002" && f.v().modeCreation == 0);
  t.question(Dialogues::Oui, kCreer).repondre(Dialogues::Oui, cle.arg("9999999999992"), 36, "Message");
  QTest::keyClicks(f.eansearch, "9999999999992");
  EXPECT_EQ(f.ean->text() + f.titre->text(), "9999999999992");
}
