#include "support/fenetre.h"

#include "storage/fichiers.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {
QString texte(FenetreTest &t, const char *nom) {
  if (auto *l = t.ctrl<QLineEdit>(nom))
    return l->text();
  if (auto *z = t.ctrl<ZoneTexte>(nom))
    return z->text();
  if (auto *d = t.ctrl<ListeDeroulante>(nom))
    return d->texte();
  if (auto *c = t.ctrl<QComboBox>(nom))
    return c->currentText();
  return "?";
}
} // namespace

TEST(Demarrage, CatalogueVideMontreLesValeursParDefautEtCreeLesFichiers) {
  FenetreTest t;
  ASSERT_FALSE(QFile::exists(t.chemin("dvd.lst")));
  t.dlg.repondre(Dialogues::OK,
                 "Base de donnée vierge.\r\rVeuillez saisir le code E.A.N (13) d'un DVD dans la fenêtre suivante "
                 "pour créer une nouvelle fiche.\r\rMerci d'utiliser ce logiciel et bonne application !!!",
                 48, "Message");
  catalogue::ecrire(t.dossier.path(), {});
  t.demarrer();
  Filmorel &f = *t.f;
  EXPECT_EQ(f.windowTitle(), "FILMOREL");
  for (const char *nom : {"historic", "modifier", "supprimer", "pret", "retour", "valider"})
    EXPECT_FALSE(t.ctrl<QPushButton>(nom)->isVisible()) << nom;
  EXPECT_FALSE(f.Compteur->isVisible());
  EXPECT_TRUE(t.ctrl<QPushButton>("quitter")->isVisible());
  EXPECT_FALSE(f.conteneur->isEnabled());
  EXPECT_TRUE(f.ean->isReadOnly());
  EXPECT_EQ(texte(t, "ean"), "");
  EXPECT_EQ(texte(t, "zone"), "2");
  EXPECT_EQ(texte(t, "langue"), "Fr/Ang");
  EXPECT_EQ(texte(t, "Genre"), "Film");
  EXPECT_EQ(texte(t, "editeur"), "Autre");
  EXPECT_EQ(texte(t, "Son"), "Dolby Digital 5.1");
  EXPECT_EQ(texte(t, "format"), "16:9");
  EXPECT_EQ(texte(t, "preter"), "Non");
  EXPECT_EQ(texte(t, "dateachat"), QDate::currentDate().toString("dd/MM/yyyy"));
  EXPECT_FALSE(f.jacket->pixmap().isNull());
  // The reads created both record files, empty.
  EXPECT_TRUE(QFile::exists(t.chemin("dvd.lst")));
  EXPECT_EQ(QFileInfo(t.chemin("dvd.idx")).size(), 0);
  // Nothing was read into the buffer: it still is no card.
  EXPECT_TRUE(f.v().ficheCourante.vierge());
  t.dlg.verifierTousConsommes();
}

TEST(Demarrage, BarreDeDefilementEtCompteurSuiventLeNombreDeFiches) {
  for (auto [n, pas] : {std::pair{45, 3}, {20, 2}, {19, 1}}) {
    FenetreTest t;
    Filmorel &f = t.ouvrir(catalogue::numerotees(n));
    EXPECT_EQ(f.VScroll1->minimum(), 1);
    EXPECT_EQ(f.VScroll1->maximum(), n);
    EXPECT_EQ(f.VScroll1->pageStep(), pas) << n;
    EXPECT_EQ(f.Compteur->text(), QString("1 / %1").arg(n));
    EXPECT_EQ(texte(t, "titre"), "Film 001");
    f.VScroll1->setValue(n);
    EXPECT_EQ(f.Compteur->text(), QString("%1 / %1").arg(n));
    EXPECT_EQ(texte(t, "titre"), QString("Film %1").arg(n, 3, 10, QChar('0')));
  }
}

TEST(Demarrage, AfficherMontreChaqueChampEtLEtatDuPret) {
  FenetreTest t;
  Fiche pretee = catalogue::fiche("1111111111111", "  Alien   ");
  pretee.set(Champ::preter, "Oui");
  pretee.set(Champ::datepret, "03/04/2005");
  pretee.set(Champ::nom, "Martin");
  pretee.set(Champ::format, " 4:3");
  pretee.set(Champ::langue, "Klingon"); // not one of the list's items
  pretee.set(Champ::zone, "9");
  Fiche libre = catalogue::fiche("2222222222222", "Brazil");
  Filmorel &f = t.ouvrir({pretee, libre});
  catalogue::image(t.chemin("jackets/2222222222222.jpg"), 40, 57);

  // Leading blanks kept, trailing ones dropped; format trimmed both sides.
  EXPECT_EQ(texte(t, "titre"), "  Alien");
  EXPECT_EQ(texte(t, "format"), "4:3");
  EXPECT_EQ(texte(t, "preter"), "Oui");
  EXPECT_FALSE(f.pret->isEnabled());
  EXPECT_TRUE(f.retour->isEnabled());
  // A value outside a drop-down list does not stop the display half-way.
  EXPECT_EQ(texte(t, "langue"), "Klingon");
  EXPECT_EQ(texte(t, "zone"), "9");
  EXPECT_EQ(texte(t, "datepret"), "03/04/2005");
  EXPECT_EQ(texte(t, "nom"), "Martin");
  EXPECT_EQ(f.v().ficheCourante.get(Champ::jacket).trimmed(), "1111111111111.jpg");
  EXPECT_TRUE(f.jacket->chemin().endsWith("jackets/jacket.bmp"));

  f.VScroll1->setValue(2);
  EXPECT_EQ(texte(t, "titre"), "Brazil");
  EXPECT_TRUE(f.pret->isEnabled());
  EXPECT_FALSE(f.retour->isEnabled());
  EXPECT_EQ(texte(t, "langue"), "Fr/Ang");
  EXPECT_EQ(texte(t, "datepret"), "");
  EXPECT_TRUE(f.jacket->chemin().endsWith("jackets/2222222222222.jpg"));

  // The unknown value survives an edit and a save untouched.
  f.VScroll1->setValue(1);
  f.modification();
  f.validation();
  Fiche relue;
  ASSERT_TRUE(fichiers::lireFiche(t.dossier.path(), 1, relue));
  EXPECT_EQ(relue.get(Champ::langue).trimmed(), "Klingon");
  EXPECT_EQ(relue.get(Champ::zone).trimmed(), "9");
}

TEST(Demarrage, FermetureDemandeConfirmationSaufPendantUneSaisie) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  QSignalSpy fin(&f, &Filmorel::programmeTermine);

  f.modification();
  f.quitte();   // refused without a word while editing
  f.close();
  EXPECT_TRUE(f.isVisible());
  t.dlg.repondre(Dialogues::Oui, "Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune modification ne sera apportée.",
                 36, "Message");
  f.annulerSaisie();
  EXPECT_EQ(f.v().modifEnCours, 0);

  t.dlg.repondre(Dialogues::Non, "Etes-vous sûr de vouloir Quitter ?", 36, "Message");
  f.quitte();
  EXPECT_FALSE(f.termine());
  t.dlg.repondre(Dialogues::Non, "Etes-vous sûr de vouloir Quitter ?", 36, "Message");
  f.close();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(fin.count(), 0);

  t.dlg.repondre(Dialogues::Oui, "Etes-vous sûr de vouloir Quitter ?", 36, "Message");
  f.close();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(fin.count(), 1);
}

TEST(Demarrage, DvdIniIntrouvableDemandeLeDossierJusquAAbandon) {
  // Started in an empty folder, the user points at a catalogue elsewhere.
  FenetreTest ailleurs;
  catalogue::ecrire(ailleurs.dossier.path(), catalogue::numerotees(2));
  FenetreTest t;
  const QString message = "Fichier d'initialisation non trouvé !\rVeuillez préciser le chemin d'accès dans la "
                          "fenêtre suivante...";
  t.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE");
  t.dlg.choisirFichier(t.chemin("autre.ini")); // no dvd.ini there: asked again
  t.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE");
  t.dlg.choisirFichier(ailleurs.chemin("dvd.ini"));
  t.demarrer();
  EXPECT_EQ(t.f->v().cheminAppli, ailleurs.dossier.path() + "/");
  EXPECT_EQ(t.f->v().nbFiches, 2);
  EXPECT_EQ(t.dlg.titresFichier, QStringList({"Ouvrir un fichier...", "Ouvrir un fichier..."}));
  EXPECT_FALSE(QFile::exists(t.chemin("dvd.lst")));

  // Cancelling the dialog ends the program instead of asking forever.
  FenetreTest vide;
  vide.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE");
  vide.dlg.choisirFichier(QString());
  vide.demarrer();
  EXPECT_TRUE(vide.f->termine());
}

TEST(Demarrage, CompteSuperieurAuxFichiersLimiteAuxFichesPresentes) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3), r);
  // dvd.ini claims more cards than the files hold.
  r.nbFiches = 7;
  reglages::sauver(t.chemin("dvd.ini"), r);
  t.dlg.repondre(Dialogues::OK, {}, 48, "Message");
  t.demarrer();
  EXPECT_EQ(t.f->v().nbFiches, 3);
  EXPECT_EQ(t.f->VScroll1->maximum(), 3);
  EXPECT_TRUE(t.dlg.messages.first().texte.contains("annonce 7 fiches"));
}
