#include "support/fenetre.h"

#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
const char *const kAnnuler = "Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune modification ne sera apportée.";
const char *const kLongue = "une-jaquette-bien-trop-longue.jpg";

// Two cards; card 1 has its own cover. Besides the jackets folder, a folder
// "autres" holds a picture with a long name and a damaged one.
struct Jackets : FenetreTest {
  Filmorel &ouvrirAvecImages() {
    catalogue::ecrire(dossier.path(), catalogue::numerotees(2));
    QDir d(dossier.path());
    d.mkdir("autres");
    catalogue::image(chemin("jackets/3000000000001.jpg"), 25, 35);
    catalogue::image(chemin("jackets/GRAND.BMP"), 10, 10);
    QFile(chemin("jackets/notes.txt")).open(QIODevice::WriteOnly);
    catalogue::image(chemin(QString("autres/") + kLongue), 30, 40);
    QFile cassee(chemin("autres/cassee.jpg"));
    cassee.open(QIODevice::WriteOnly);
    cassee.write("pas une image");
    cassee.close();
    return demarrer();
  }

  QStringList fichiersListes() {
    QStringList noms;
    const QModelIndex racine = f->File1->rootIndex();
    for (int i = 0; i < f->modeleFichiers->rowCount(racine); ++i)
      noms << f->modeleFichiers->index(i, 0, racine).data().toString();
    noms.sort();
    return noms;
  }

  QString dossierListe() { return f->modeleFichiers->filePath(f->File1->rootIndex()); }

  // Waits until the list shows `n` files of `dossierAttendu`.
  bool attendreListe(const QString &dossierAttendu, int n) {
    return QTest::qWaitFor(
        [&] { return dossierListe() == dossierAttendu && fichiersListes().size() == n; }, 5000);
  }

  void cliquerDans(QAbstractItemView *vue, const QModelIndex &i) {
    ASSERT_TRUE(i.isValid());
    vue->scrollTo(i);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !vue->visualRect(i).isEmpty(); }, 5000));
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(i).center());
  }

  void choisirDossier(const QString &nom) { cliquerDans(f->Dir1, f->modeleDossiers->index(chemin(nom))); }
  void choisirFichier(const QString &nom) {
    cliquerDans(f->File1, f->modeleFichiers->index(chemin(nom)));
  }

  QByteArray champJacket(int numero) {
    return catalogue::contenu(chemin("dvd.lst")).mid((numero - 1) * Fiche::Taille + 997, 20);
  }

  void annuler() {
    dlg.repondre(Dialogues::Oui, kAnnuler, 36, "Message");
    f->annulerSaisie();
  }
};
} // namespace

TEST(Jackets, ChaqueEditionCommenceDansLeDossierJacketsFiltreSurJpgEtBmp) {
  Jackets t;
  Filmorel &f = t.ouvrirAvecImages();
  for (QWidget *w : std::initializer_list<QWidget *>{f.Dir1, f.File1, f.Label16, f.Label17, f.Label25, f.Label26,
                                                     f.formatjacket})
    EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();

  QTest::mouseClick(f.modifier, Qt::LeftButton);
  for (QWidget *w : std::initializer_list<QWidget *>{f.Dir1, f.File1, f.Label16, f.Label17, f.Label25, f.Label26,
                                                     f.formatjacket})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
  ASSERT_TRUE(t.attendreListe(t.chemin("jackets"), 3)) << t.dossierListe().toStdString();
  EXPECT_EQ(t.fichiersListes(), QStringList({"3000000000001.jpg", "GRAND.BMP", "jacket.bmp"}));

  t.choisirDossier("autres");
  ASSERT_TRUE(t.attendreListe(t.chemin("autres"), 2)) << t.dossierListe().toStdString();
  EXPECT_EQ(t.fichiersListes(), QStringList({"cassee.jpg", kLongue}));

  t.annuler();
  EXPECT_FALSE(f.Dir1->isVisible());
  EXPECT_FALSE(f.File1->isVisible());
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  ASSERT_TRUE(t.attendreListe(t.chemin("jackets"), 3)) << t.dossierListe().toStdString();
  EXPECT_EQ(f.modeleDossiers->filePath(f.Dir1->currentIndex()), t.chemin("jackets"));
  t.dlg.verifierTousConsommes();
}

TEST(Jackets, UnChoixEstMontreAussitotEtEnregistreCoupeA20Caracteres) {
  Jackets t;
  Filmorel &f = t.ouvrirAvecImages();
  EXPECT_EQ(f.jacket->pixmap().size(), QSize(25, 35));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  t.choisirDossier("autres");
  ASSERT_TRUE(t.attendreListe(t.chemin("autres"), 2));

  // A file that is no picture leaves the cover as it was.
  t.choisirFichier("autres/cassee.jpg");
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/3000000000001.jpg"));
  EXPECT_EQ(f.v().jacketChoisie, 0);

  t.choisirFichier(QString("autres/") + kLongue);
  EXPECT_EQ(f.jacket->chemin(), t.chemin(QString("autres/") + kLongue));
  EXPECT_EQ(f.jacket->pixmap().size(), QSize(30, 40));
  EXPECT_EQ(f.v().jacketChoisie, 1);
  t.choisirFichier("autres/cassee.jpg");
  EXPECT_EQ(f.jacket->pixmap().size(), QSize(30, 40));

  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.champJacket(1), QByteArray("une-jaquette-bien-tr"));
  EXPECT_EQ(f.v().jacketChoisie, 0);
  // Shown again, a card's cover is found by its bar code only.
  f.VScroll1->setValue(2);
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/jacket.bmp"));
  f.VScroll1->setValue(1);
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/3000000000001.jpg"));
  t.dlg.verifierTousConsommes();
}

TEST(Jackets, SansChoixLeChampPrendLeCodeBarreMemeApresUnChoixAnnule) {
  Jackets t;
  Filmorel &f = t.ouvrirAvecImages();
  f.VScroll1->setValue(2);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  ASSERT_TRUE(t.attendreListe(t.chemin("jackets"), 3));
  t.choisirFichier("jackets/GRAND.BMP");
  EXPECT_EQ(f.v().jacketChoisie, 1);
  t.annuler();
  EXPECT_EQ(f.jacket->chemin(), t.chemin("jackets/jacket.bmp"));

  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.champJacket(2), QByteArray("3000000000002.jpg   "));
  t.dlg.verifierTousConsommes();
}
