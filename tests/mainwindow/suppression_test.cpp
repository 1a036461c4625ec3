#include "support/fenetre.h"

#include "storage/suppression.h"

TEST(SuppressionFenetre, LaDerniereFicheDuFichierPrendLaPlaceLiberee) {
  FenetreTest t;
  const QList<Fiche> cartes = catalogue::numerotees(5);
  Filmorel &f = t.ouvrir(cartes);
  f.VScroll1->setValue(2);
  t.question(Dialogues::Oui, "Etes-vous sûr de vouloir effacer cette fiche ?");
  QTest::mouseClick(f.supprimer, Qt::LeftButton);
  QByteArray lst;
  for (int i : {0, 4, 2, 3, 4})
    lst += cartes[i].versOctets();
  EXPECT_EQ(t.octets("dvd.lst"), lst);
  QByteArray idx;
  for (auto [i, numero] : {std::pair{0, 1}, {2, 3}, {3, 4}, {4, 2}})
    idx += EntreeIndex{EntreeIndex::cleDe(cartes[i]), qint16(numero)}.versOctets();
  // The freed entry at the end is marked, not cut off.
  EXPECT_EQ(t.octets("dvd.idx"), idx + (EntreeIndex{suppression::cleMarquee(cartes[4]), 2}).versOctets());
  EXPECT_EQ(t.ini().nbFiches, 4);
}

TEST(SuppressionFenetre, LaSeuleFichePuisCatalogueVide) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  // The only card: nothing moves in dvd.lst.
  const QByteArray lst = t.octets("dvd.lst");
  t.question(Dialogues::Oui);
  QTest::mouseClick(f.supprimer, Qt::LeftButton);
  EXPECT_TRUE(t.ini().nbFiches == 0 && t.octets("dvd.lst") == lst);

  // With no card, deletion asks nothing and writes nothing.
  const QByteArray avant = t.donnees();
  const qsizetype vus = t.dlg.messages.size();
  f.supprimer_Click();
  f.suppression();
  EXPECT_TRUE(t.donnees() == avant && t.dlg.messages.size() == vus); // asks nothing
}
