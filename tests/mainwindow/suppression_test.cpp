#include "support/fenetre.h"

#include "storage/entreeindex.h"
#include "storage/reglages.h"
#include "storage/suppression.h"

#include <QFile>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const char *const kQuestion = "Etes-vous sûr de vouloir effacer cette fiche ?";

void confirmer(FenetreTest &t, int reponse = Dialogues::Oui) {
  t.dlg.repondre(reponse, kQuestion, 36, "Message");
  QTest::mouseClick(t.ctrl<QPushButton>("supprimer"), Qt::LeftButton);
}

int compteIni(FenetreTest &t) {
  Reglages r;
  reglages::lire(t.chemin("dvd.ini"), r);
  return r.nbFiches;
}

// The three data files, to show that nothing was written.
QByteArray fichiers(FenetreTest &t) {
  return catalogue::contenu(t.chemin("dvd.lst")) + '|' + catalogue::contenu(t.chemin("dvd.idx")) + '|' +
         catalogue::contenu(t.chemin("dvd.ini"));
}
} // namespace

TEST(SuppressionFenetre, NonNeChangeRienPuisDerniereFicheDuFichierEtDuTitreSansEcrireLesFiches) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(5));
  f.VScroll1->setValue(5);
  const QByteArray avant = fichiers(t);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));
  t.dlg.repondre(Dialogues::Non, kQuestion, 36, "Message");
  f.eansearch->setFocus();
  QTest::keyClick(f.eansearch, Qt::Key_F3);
  EXPECT_EQ(fichiers(t), avant);
  EXPECT_EQ(f.Compteur->text(), "5 / 5");

  confirmer(t);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")).size(), idx.size());
  EXPECT_EQ(compteIni(t), 4);
  // The deleted card was last in title order: the new last card is shown.
  EXPECT_EQ(f.Compteur->text(), "4 / 4");
  EXPECT_EQ(f.titre->text(), "Film 004");
  t.dlg.verifierTousConsommes();
}

TEST(SuppressionFenetre, LaDerniereFicheDuFichierPrendLaPlaceLibereeEtLaSuivanteEstMontree) {
  FenetreTest t;
  const QList<Fiche> cartes = catalogue::numerotees(5);
  Filmorel &f = t.ouvrir(cartes);
  f.VScroll1->setValue(2);

  confirmer(t);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  ASSERT_EQ(lst.size(), 5 * Fiche::Taille);
  EXPECT_EQ(lst.mid(1 * Fiche::Taille, Fiche::Taille), cartes[4].versOctets());
  EXPECT_EQ(lst.mid(4 * Fiche::Taille, Fiche::Taille), cartes[4].versOctets());
  QByteArray idx;
  for (auto [cle, numero] : {std::pair{EntreeIndex::cleDe(cartes[0]), 1}, {EntreeIndex::cleDe(cartes[2]), 3},
                             {EntreeIndex::cleDe(cartes[3]), 4}, {EntreeIndex::cleDe(cartes[4]), 2},
                             {suppression::cleMarquee(cartes[4]), 2}}) {
    EntreeIndex e;
    e.cle = cle;
    e.numero = qint16(numero);
    idx += e.versOctets();
  }
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);
  EXPECT_EQ(compteIni(t), 4);
  EXPECT_EQ(f.Compteur->text(), "2 / 4");
  EXPECT_EQ(f.titre->text(), "Film 003");
  t.dlg.verifierTousConsommes();
}

TEST(SuppressionFenetre, LesTitresEnMinusculeOuAccentuesRestentAuCatalogue) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1000000000001", "alien"), catalogue::fiche("1000000000002", "Brazil"),
                          catalogue::fiche("1000000000003", "Été meurtrier"),
                          catalogue::fiche("1000000000004", "Zoo")});
  // Title order: Brazil, Zoo, alien, Été meurtrier.
  f.VScroll1->setValue(2);
  ASSERT_EQ(f.titre->text(), "Zoo");
  confirmer(t);
  f.VScroll1->setValue(1);
  ASSERT_EQ(f.titre->text(), "Brazil");
  confirmer(t);
  EXPECT_EQ(compteIni(t), 2);
  f.VScroll1->setValue(1);
  EXPECT_EQ(f.titre->text(), "alien");
  f.VScroll1->setValue(2);
  EXPECT_EQ(f.titre->text(), "Été meurtrier");
}

TEST(SuppressionFenetre, LaSeuleFicheSupprimeeLaisseUnCatalogueVide) {
  FenetreTest t;
  Fiche seule = catalogue::fiche("1000000000001", "Alien");
  seule.set(Champ::genre, "Drame");
  Filmorel &f = t.ouvrir({seule});
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));

  confirmer(t);
  EXPECT_EQ(compteIni(t), 0);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  for (const char *nom : {"historic", "modifier", "supprimer", "pret", "retour"})
    EXPECT_FALSE(t.ctrl<QPushButton>(nom)->isVisible()) << nom;
  EXPECT_EQ(f.Genre->currentText(), "Film");
  // The buffer holds no card any more: a new card starts from scratch.
  EXPECT_TRUE(f.v().ficheCourante.vierge());

  // With no card, deletion asks nothing and writes nothing.
  const QByteArray avant = fichiers(t);
  f.supprimer_Click();
  f.suppression();
  EXPECT_EQ(fichiers(t), avant);
  EXPECT_EQ(t.dlg.messages.size(), 1);
}

TEST(SuppressionFenetre, UneEntreeQuiNeDesigneAucuneFicheEstRefusee) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
  // Entry 2 points to record 7 of a 3-card catalogue.
  QFile idx(t.chemin("dvd.idx"));
  ASSERT_TRUE(idx.open(QIODevice::ReadWrite));
  idx.seek(EntreeIndex::Taille + EntreeIndex::TailleCle);
  idx.write(QByteArray("\x07\x00", 2));
  idx.close();
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray avant = fichiers(t);
  t.dlg.repondre(Dialogues::Oui, kQuestion, 36, "Message");
  t.dlg.repondre(Dialogues::OK, {}, 48, "Message");
  QTest::mouseClick(t.ctrl<QPushButton>("supprimer"), Qt::LeftButton);
  EXPECT_EQ(fichiers(t), avant);
  EXPECT_EQ(f.Compteur->text(), "2 / 3");
  t.dlg.verifierTousConsommes();
}
