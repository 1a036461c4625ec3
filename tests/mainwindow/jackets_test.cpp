#include "support/fenetre.h"

namespace {
const char *const kLongue = "autres/une-jaquette-bien-trop-longue.jpg";

// Two cards; card 1 has its own cover. Besides the jackets folder, a folder
// "autres" holds a picture with a long name and a damaged one.
struct Jackets : FenetreTest {
  Filmorel &ouvrirAvecImages() {
    catalogue::ecrire(dossier.path(), catalogue::numerotees(2));
    QDir(dossier.path()).mkdir("autres");
    catalogue::image(chemin("jackets/3000000000001.jpg"), 25, 35);
    catalogue::image(chemin("jackets/GRAND.BMP"), 10, 10);
    catalogue::ecrireOctets(chemin("jackets/notes.txt"), {});
    catalogue::image(chemin(kLongue), 30, 40);
    catalogue::ecrireOctets(chemin("autres/cassee.jpg"), "pas une image");
    return demarrer();
  }

  // Waits until the file list shows exactly `noms` from folder `sous`.
  bool liste(const QString &sous, const QStringList &noms) {
    return QTest::qWaitFor([&] {
      const QModelIndex racine = f->File1->rootIndex();
      QStringList vus;
      for (int i = 0; i < f->modeleFichiers->rowCount(racine); ++i)
        vus << f->modeleFichiers->index(i, 0, racine).data().toString();
      vus.sort();
      return f->modeleFichiers->filePath(racine) == chemin(sous) && vus == noms;
    }, 5000);
  }

  void cliquerDans(QAbstractItemView *vue, const QModelIndex &i) {
    ASSERT_TRUE(i.isValid());
    vue->scrollTo(i);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !vue->visualRect(i).isEmpty(); }, 5000));
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(i).center());
  }
  void choisirDossier(const QString &nom) { cliquerDans(f->Dir1, f->modeleDossiers->index(chemin(nom))); }
  void choisirFichier(const QString &nom) { cliquerDans(f->File1, f->modeleFichiers->index(chemin(nom))); }
  QByteArray champJacket(int numero) { return octets("dvd.lst").mid((numero - 1) * Fiche::Taille + 997, 20); }
};
} // namespace

TEST(Jackets, ChaqueEditionCommenceDansJacketsEtLeChoixEstEnregistreCoupeA20Caracteres) {
  Jackets t;
  Filmorel &f = t.ouvrirAvecImages();
  f.VScroll1->setValue(2);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  const QStringList jackets{"3000000000001.jpg", "GRAND.BMP", "jacket.bmp"}; // pictures only
  ASSERT_TRUE(t.liste("jackets", jackets));
  t.choisirFichier("jackets/GRAND.BMP");
  t.choisirDossier("autres");

  // A cancelled choice is forgotten; the next edit starts over in jackets, and
  // with no choice the field takes the bar code.
  t.question(Dialogues::Oui, kAnnuler);
  f.annulerSaisie();
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/jacket.bmp"));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  EXPECT_TRUE(t.liste("jackets", jackets));
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.champJacket(2), QByteArray("3000000000002.jpg   "));

  f.VScroll1->setValue(1);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  t.choisirDossier("autres");
  ASSERT_TRUE(t.liste("autres", {"cassee.jpg", "une-jaquette-bien-trop-longue.jpg"}));
  // A file that is no picture leaves the cover as it was.
  t.choisirFichier("autres/cassee.jpg");
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/3000000000001.jpg"));
  t.choisirFichier(kLongue);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.champJacket(1), QByteArray("une-jaquette-bien-tr"));
}
