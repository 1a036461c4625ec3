#include "support/fenetre.h"

#include "storage/entreeindex.h"
#include "storage/reglages.h"
#include "storage/suppression.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
const char *const kQuestion = "Etes-vous sûr de vouloir effacer cette fiche ?";

void confirmer(FenetreTest &t, int reponse = Dialogues::Oui) {
  t.dlg.repondre(reponse, kQuestion, 36, "Message");
  QTest::mouseClick(t.ctrl<QPushButton>("supprimer"), Qt::LeftButton);
}

EntreeIndex entree(const QString &cle, int numero) {
  EntreeIndex e;
  e.cle = cle;
  e.numero = qint16(numero);
  return e;
}

QByteArray octetsIndex(const QList<EntreeIndex> &l) {
  QByteArray o;
  for (const EntreeIndex &e : l)
    o += e.versOctets();
  return o;
}

int compteIni(FenetreTest &t) {
  Reglages r;
  reglages::lire(t.chemin("dvd.ini"), r);
  return r.nbFiches;
}
} // namespace

TEST(SuppressionFenetre, DerniereFicheDuFichierEtDuTitreRienNEstEcritDansLesFiches) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(5));
  f.VScroll1->setValue(5);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const qint64 idx = QFileInfo(t.chemin("dvd.idx")).size();

  confirmer(t);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(QFileInfo(t.chemin("dvd.idx")).size(), idx);
  EXPECT_EQ(compteIni(t), 4);
  // The deleted card was last in title order: the new last card is shown.
  EXPECT_EQ(f.v().nbFiches, 4);
  EXPECT_EQ(f.VScroll1->maximum(), 4);
  EXPECT_EQ(f.VScroll1->value(), 4);
  EXPECT_EQ(f.Compteur->text(), "4 / 4");
  EXPECT_EQ(f.titre->text(), "Film 004");
  EXPECT_TRUE(f.eansearch->hasFocus());
  t.dlg.verifierTousConsommes();
}

TEST(SuppressionFenetre, LaDerniereFicheDuFichierPrendLaPlaceLibereeEtLaSuivanteEstMontree) {
  FenetreTest t;
  const QList<Fiche> cartes = catalogue::numerotees(5);
  Filmorel &f = t.ouvrir(cartes);
  // The card that will be shown has a loan history.
  QFile h(t.chemin("historique/3000000000003.hst"));
  ASSERT_TRUE(h.open(QIODevice::WriteOnly));
  h.write("Durand\r\n01/01/2004\r\n05/01/2004\r\n");
  h.close();
  f.VScroll1->setValue(2);
  EXPECT_FALSE(f.historic->isVisible());

  confirmer(t);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  ASSERT_EQ(lst.size(), 5 * Fiche::Taille);
  EXPECT_EQ(lst.mid(1 * Fiche::Taille, Fiche::Taille), cartes[4].versOctets());
  EXPECT_EQ(lst.mid(4 * Fiche::Taille, Fiche::Taille), cartes[4].versOctets());
  auto cle = [&](int i) { return EntreeIndex::cleDe(cartes[i]); };
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")),
            octetsIndex({entree(cle(0), 1), entree(cle(2), 3), entree(cle(3), 4), entree(cle(4), 2),
                         entree(suppression::cleMarquee(cartes[4]), 2)}));
  EXPECT_EQ(compteIni(t), 4);
  EXPECT_EQ(f.Compteur->text(), "2 / 4");
  EXPECT_EQ(f.titre->text(), "Film 003");
  EXPECT_TRUE(f.historic->isVisible());
  // Every remaining card is still there, in order.
  for (int p = 1; p <= 4; ++p) {
    f.VScroll1->setValue(p);
    EXPECT_EQ(f.titre->text(), QString("Film 00%1").arg(p < 2 ? p : p + 1));
  }
  t.dlg.verifierTousConsommes();
}

TEST(SuppressionFenetre, NonNeChangeRienEtF3PoseLaMemeQuestion) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.VScroll1->setValue(2);
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));
  const QByteArray ini = catalogue::contenu(t.chemin("dvd.ini"));

  confirmer(t, Dialogues::Non);
  t.dlg.repondre(Dialogues::Non, kQuestion, 36, "Message");
  f.eansearch->setFocus();
  QTest::keyClick(f.eansearch, Qt::Key_F3);
  EXPECT_EQ(t.dlg.messages.size(), 2);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.ini")), ini);
  EXPECT_EQ(f.Compteur->text(), "2 / 3");
  EXPECT_EQ(f.titre->text(), "Film 002");
  t.dlg.verifierTousConsommes();
}

TEST(SuppressionFenetre, LesTitresEnMinusculeOuAccentuesRestentAuCatalogue) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1000000000001", "alien"), catalogue::fiche("1000000000002", "Brazil"),
                          catalogue::fiche("1000000000003", "Été meurtrier"),
                          catalogue::fiche("1000000000004", "Zoo")});
  // Title order: Brazil, Zoo, alien, Été meurtrier.
  for (const char *titre : {"Zoo", "Brazil"}) {
    for (int p = 1; p <= f.v().nbFiches; ++p) {
      f.VScroll1->setValue(p);
      if (f.titre->text() == titre)
        break;
    }
    ASSERT_EQ(f.titre->text(), titre);
    confirmer(t);
  }
  ASSERT_EQ(f.v().nbFiches, 2);
  QStringList restants;
  for (int p = 1; p <= 2; ++p) {
    f.VScroll1->setValue(p);
    restants << f.titre->text();
  }
  EXPECT_EQ(restants, QStringList({"alien", "Été meurtrier"}));
  EXPECT_EQ(compteIni(t), 2);
  t.dlg.verifierTousConsommes();
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
  EXPECT_EQ(f.v().nbFiches, 0);
  for (const char *nom : {"historic", "modifier", "supprimer", "pret", "retour"})
    EXPECT_FALSE(t.ctrl<QPushButton>(nom)->isVisible()) << nom;
  EXPECT_FALSE(f.Compteur->isVisible());
  EXPECT_EQ(f.ean->text(), "");
  EXPECT_EQ(f.titre->text(), "");
  EXPECT_EQ(f.Genre->currentText(), "Film");
  // The buffer holds no card any more: a new card starts from scratch.
  EXPECT_TRUE(f.v().ficheCourante.vierge());

  // With no card, deletion asks nothing and writes nothing.
  const QByteArray idx = catalogue::contenu(t.chemin("dvd.idx"));
  const QByteArray ini = catalogue::contenu(t.chemin("dvd.ini"));
  f.supprimer_Click();
  f.suppression();
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), idx);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.ini")), ini);
  EXPECT_EQ(t.dlg.messages.size(), 1);
  t.dlg.verifierTousConsommes();
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
  const QByteArray lst = catalogue::contenu(t.chemin("dvd.lst"));
  const QByteArray octets = catalogue::contenu(t.chemin("dvd.idx"));

  t.dlg.repondre(Dialogues::Oui, kQuestion, 36, "Message");
  t.dlg.repondre(Dialogues::OK, {}, 48, "Message");
  QTest::mouseClick(t.ctrl<QPushButton>("supprimer"), Qt::LeftButton);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.lst")), lst);
  EXPECT_EQ(catalogue::contenu(t.chemin("dvd.idx")), octets);
  EXPECT_EQ(compteIni(t), 3);
  EXPECT_EQ(f.Compteur->text(), "2 / 3");
  t.dlg.verifierTousConsommes();
}
