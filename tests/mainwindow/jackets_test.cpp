#include "support/fenetre.h"

namespace {
// Clicks item `i` of `vue` once the view has laid it out.
void cliquerDans(QAbstractItemView *vue, const QModelIndex &i) {
  ASSERT_TRUE(i.isValid());
  vue->scrollTo(i);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !vue->visualRect(i).isEmpty(); }, 5000));
  QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(i).center());
}
} // namespace

TEST(Jackets, UneImageIllisibleNeChangeRienLeChoixEstEnregistreCoupeA20Caracteres) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(2));
  QDir(t.dossier.path()).mkdir("autres");
  catalogue::image(t.chemin("jackets/3000000000001.jpg"), 25, 35);
  const QString longue = t.chemin("autres/une-jaquette-bien-trop-longue.jpg");
  catalogue::image(longue, 30, 40);
  catalogue::ecrireOctets(t.chemin("autres/cassee.jpg"), "pas une image");
  Filmorel &f = t.demarrer();
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  cliquerDans(f.Dir1, f.modeleDossiers->index(t.chemin("autres")));
  ASSERT_TRUE(QTest::qWaitFor([&] {
    const QModelIndex racine = f.File1->rootIndex();
    return f.modeleFichiers->filePath(racine) == t.chemin("autres") && f.modeleFichiers->rowCount(racine) == 2;
  }, 5000));
  cliquerDans(f.File1, f.modeleFichiers->index(t.chemin("autres/cassee.jpg")));
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/3000000000001.jpg"));
  cliquerDans(f.File1, f.modeleFichiers->index(longue));
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst").mid(997, 20), QByteArray("une-jaquette-bien-tr"));
}
