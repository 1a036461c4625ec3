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

// A stretched background keeps only what its opaque children leave visible,
// in memory and in its cache file; what it paints must not change, whether
// decoded, read back from the cache, or after a child moved off a part the
// pieces left out.
TEST(Jackets, UnFondEnMorceauxSePeintCommeEntier) {
  QTemporaryDir d;
  const QString bmp = d.filePath("dvd.bmp");
  QImage source(70, 50, QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      source.setPixel(x, y, qRgb(x * 3, y * 5, (x * y) % 256));
  ASSERT_TRUE(source.save(bmp, "BMP"));
  const QImage attendu = source.scaled(100, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

  ImageBox fond;
  fond.resize(100, 80);
  auto *dessus = new QWidget(&fond);
  dessus->setGeometry(20, 10, 50, 40);
  dessus->setAutoFillBackground(true);
  fond.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&fond));
  auto verifier = [&](const char *quand) {
    const QImage vu = fond.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int faux = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < 100; ++x)
        faux += !dessus->geometry().contains(x, y) && vu.pixel(x, y) != attendu.pixel(x, y);
    EXPECT_EQ(faux, 0) << quand;
  };
  ASSERT_TRUE(fond.chargerFixe(bmp));
  verifier("decoded");
  const QDir cache(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/images");
  const QFileInfoList fichiers = cache.entryInfoList(QDir::Files, QDir::Time);
  ASSERT_FALSE(fichiers.isEmpty());
  EXPECT_LT(fichiers[0].size(), 100 * 80 * 4 - 50 * 40 * 4 + 1000);
  oublierImagesFixes();
  fond.vider();
  ASSERT_TRUE(fond.chargerFixe(bmp));
  verifier("read from the cache");
  dessus->move(40, 30);
  verifier("child moved");
}
