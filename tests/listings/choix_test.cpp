#include "listings/choix.h"
#include "listings/listpret.h"
#include "mainwindow/widgets.h"
#include "storage/historique.h"
#include "support/fenetre.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {
ChoixDialogue *dialogueOuvert(const char *nom) {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(nom) && w->isVisible())
      return qobject_cast<ChoixDialogue *>(w);
  return nullptr;
}

QStringList entrees(const ComboListe *c) { return c->items(); }

QStringList titres(ListPret *w) {
  QStringList r;
  for (int i = 1; i < w->Grille->rowCount() && !w->texte(i, 0).isEmpty(); ++i)
    r << w->texte(i, 1);
  return r;
}

Fiche avec(int n, const QString &titre, Champ c, const QString &valeur) {
  Fiche f = catalogue::fiche(QString::number(3000000000000LL + n), titre);
  f.set(c, valeur);
  return f;
}

// The main window as the user left it: same card, same scroll bar, the
// history button of that card, no progress bar.
void attendreEtatIntact(Filmorel &f, int position, const QString &titre, bool historique) {
  EXPECT_EQ(f.VScroll1->value(), position);
  EXPECT_EQ(f.v().posCourante, position);
  EXPECT_EQ(f.titre->text(), titre);
  EXPECT_EQ(f.historic->isVisibleTo(&f), historique);
  EXPECT_FALSE(f.Progress->isVisible());
}
} // namespace

TEST(ChoixDialogues, GenreNonChoisiMenerAuMessage) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  f.SM_Afficher_FilmTriGenre->trigger();
  ChoixDialogue *d = dialogueOuvert("choixdugenre");
  ASSERT_TRUE(d);
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(d->windowTitle(), "Recherche...");
  EXPECT_EQ(d->Label1->text(), "VEUILLEZ CHOISIR UN GENRE...");
  ASSERT_TRUE(d->combo);
  EXPECT_EQ(d->combo->objectName(), "genre");
  EXPECT_EQ(d->combo->toolTip(), "Genre du Film");
  EXPECT_EQ(d->combo->currentText(), "?");
  EXPECT_EQ(entrees(d->combo), QStringList({"Action", "Comédie", "Drame", "Film", "Policier"}));
  EXPECT_EQ(d->OKButton->text(), "OK");
  EXPECT_EQ(d->CancelButton->text(), "Annuler");

  t.dlg.repondre(Dialogues::OK, "Aucun DVD trouvé pour cette catégorie  !!!\r", 1, "Message");
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(dialogueOuvert("choixdugenre"), nullptr);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.focusWidget(), f.eansearch);
  EXPECT_EQ(f.v().reponse, Dialogues::OK);
  t.dlg.verifierTousConsommes();
}

TEST(ChoixDialogues, GenreExactApresRognageDuChamp) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (int i = 1; i <= 19; ++i)
    cartes << avec(i, QString("Action %1").arg(i, 2, 10, QChar('0')), Champ::genre, "Action");
  cartes << avec(20, "Minuscule", Champ::genre, "action") << avec(21, "Espace devant", Champ::genre, " Action");
  Filmorel &f = t.ouvrir(cartes);
  f.afficherPosition(21);
  const QString titreAvant = f.titre->text();
  f.SM_Afficher_FilmTriGenre->trigger();
  ChoixDialogue *d = dialogueOuvert("choixdugenre");
  ASSERT_TRUE(d);
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);

  ListPret *w = f.listpret;
  ASSERT_TRUE(w && w->isVisible());
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(w->windowTitle(), "Liste des DVDs par genre : Action");
  EXPECT_EQ(f.v().typeListe, 1);
  EXPECT_EQ(w->Grille->rowCount(), 22);
  EXPECT_EQ(w->Grille->columnCount(), 3);
  EXPECT_EQ(w->texte(0, 1), "TITRE DU DVD");
  EXPECT_EQ(w->Grille->columnWidth(0), ListPret::enPixels(560));
  EXPECT_EQ(w->Grille->columnWidth(1), ListPret::enPixels(6800));
  const QStringList lignes = titres(w);
  EXPECT_EQ(lignes.size(), 20);
  EXPECT_TRUE(lignes.contains("Espace devant")) << "the field is trimmed before the test";
  EXPECT_FALSE(lignes.contains("Minuscule"));
  EXPECT_EQ(w->texte(20, 0), "20");
  EXPECT_EQ(w->texte(21, 0), "");
  EXPECT_EQ(w->Grille->currentRow(), 0);
  w->close();
  attendreEtatIntact(f, 21, titreAvant, false);
}

TEST(ChoixDialogues, EditeurParSousChaineEtCaseDeFermeture) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({avec(1, "Un", Champ::editeur, "WARNER BROS"), avec(2, "Deux", Champ::editeur, "Gaumont"),
                          avec(3, "Trois", Champ::editeur, "Warner"), avec(4, "Quatre", Champ::editeur, "")});
  f.SM_Afficher_FilmTriEditeur->trigger();
  ChoixDialogue *d = dialogueOuvert("choixediteur");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->combo->objectName(), "editeur");
  EXPECT_EQ(d->Label1->text(), "VEUILLEZ CHOISIR UN EDITEUR...");
  d->combo->lineEdit()->selectAll();
  QTest::keyClicks(d->combo->lineEdit(), "warner");
  d->close(); // the close box runs the listing like OK

  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "Liste des DVDs d'un éditeur : warner");
  EXPECT_EQ(titres(w), QStringList({"Trois", "Un"}));
  EXPECT_EQ(w->Grille->rowCount(), 17);
  w->close();

  // An empty criterion lists every card whose publisher is not blank.
  f.voirediteur("");
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(titres(f.listpret), QStringList({"Deux", "Trois", "Un"}));
  f.listpret->close();
}

TEST(ChoixDialogues, DialoguesTexte) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (int i = 1; i <= 15; ++i)
    cartes << avec(i, QString("Film %1").arg(i, 2, 10, QChar('0')), Champ::acteurs, "Jean Gabin, Michèle Morgan");
  cartes << avec(16, "Zazie dans le métro", Champ::realisateur, "Louis Malle");
  Filmorel &f = t.ouvrir(cartes);

  // Blanks only: the dialog closes, nothing is listed.
  f.SM_Afficher_FilmTriActeur->trigger();
  ChoixDialogue *d = dialogueOuvert("choixacteur");
  ASSERT_TRUE(d && d->texte);
  EXPECT_EQ(d->texte->objectName(), "nom");
  EXPECT_EQ(d->texte->toolTip(), "Nom de l'acteur");
  EXPECT_EQ(d->texte->text(), "");
  QTest::keyClicks(d->texte, "   ");
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(dialogueOuvert("choixacteur"), nullptr);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_TRUE(f.isEnabled());

  // Enter answers OK: 15 matches give 17 rows.
  f.SM_Afficher_FilmTriActeur->trigger();
  d = dialogueOuvert("choixacteur");
  QTest::keyClicks(d->texte, "gabin");
  QTest::keyClick(d->texte, Qt::Key_Return);
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs d'un interprète : gabin");
  EXPECT_EQ(f.listpret->Grille->rowCount(), 17);
  EXPECT_EQ(titres(f.listpret).size(), 15);
  f.listpret->close();

  // Esc answers Annuler.
  f.SM_Afficher_FilmTerme->trigger();
  d = dialogueOuvert("choixterme");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Label1->text(), "VEUILLEZ SAISIR UN TERME...");
  QTest::keyClicks(d->texte, "z");
  QTest::keyClick(d->texte, Qt::Key_Escape);
  EXPECT_EQ(dialogueOuvert("choixterme"), nullptr);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_TRUE(f.isEnabled());

  // A term of one letter: every title that holds it, whatever its case.
  f.voirfilmterme("z");
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(titres(f.listpret), QStringList({"Zazie dans le métro"}));
  f.listpret->close();

  f.SM_Afficher_FilmTriRealisateur->trigger();
  d = dialogueOuvert("choixrealisateur");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->texte->toolTip(), "Nom du realisateur");
  QTest::keyClicks(d->texte, "Godard");
  t.dlg.repondre(Dialogues::OK, "Aucun DVD trouvé pour avec ce réalisateur  !!!\r", 1, "Message");
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(f.listpret, nullptr);
  t.dlg.verifierTousConsommes();
}

TEST(ChoixDialogues, AcheteursTriesEtAcheteurPrecedent) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.acheteurs = {"Paul", "moi", "Albert"};
  Filmorel &f = t.ouvrir({avec(1, "Un", Champ::achat, "Paul"), avec(2, "Deux", Champ::achat, "Albert"),
                          avec(3, "Trois", Champ::achat, "Paulette")},
                         r);
  f.SM_Afficher_AchatFilm->trigger();
  ChoixDialogue *d = dialogueOuvert("choixfilmachat");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->combo->toolTip(), "Nom de l'acheteur");
  EXPECT_EQ(entrees(d->combo), QStringList({"Albert", "moi", "Paul"}));
  d->combo->setCurrentIndex(2);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(f.v().acheteurChoisi, "Paul");
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs achetés par Paul");
  EXPECT_EQ(f.v().typeListe, 3);
  EXPECT_EQ(titres(f.listpret), QStringList({"Trois", "Un"}));
  f.listpret->close();

  // Annuler: nothing runs, the buyer stays.
  f.SM_Afficher_AchatFilm->trigger();
  d = dialogueOuvert("choixfilmachat");
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->CancelButton, Qt::LeftButton);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_EQ(f.v().acheteurChoisi, "Paul");

  // The close box lists the buyer chosen the previous time.
  f.SM_Afficher_AchatFilm->trigger();
  d = dialogueOuvert("choixfilmachat");
  d->combo->setCurrentIndex(0);
  d->close();
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs achetés par Paul");
  EXPECT_EQ(f.v().acheteurChoisi, "Paul");
  f.listpret->close();
}

TEST(ChoixDialogues, FilmsPretesAUnePersonne) {
  FenetreTest t;
  QList<Fiche> cartes = catalogue::numerotees(4);
  catalogue::ecrire(t.dossier.path(), cartes);
  auto histo = [&](const char *ean, const QList<Pret> &prets) {
    ASSERT_TRUE(historique::ecrire(t.chemin(QString("historique/%1.hst").arg(ean)), prets));
  };
  histo("3000000000001", {{"Martin", "01/01/2004", "05/01/2004"},
                          {"Durand", "02/02/2004", "09/02/2004"},
                          {"Martin", " 03/03/2004", "07/03/2004 "}});
  histo("3000000000003", {{"martin", "01/05/2004", "02/05/2004"}});
  histo("3000000000004", {{"Martin", "04/04/2004", "08/04/2004"}});
  Filmorel &f = t.demarrer();
  f.afficherPosition(2);

  f.SM_Afficher_FilmPretPersonne->trigger();
  ChoixDialogue *d = dialogueOuvert("choixdunom");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->combo->toolTip(), "Nom de l'emprunteur");
  // The first borrower of the main list is not offered.
  EXPECT_EQ(entrees(d->combo), QStringList({"Martin"}));
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);

  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "Liste de mes Films prêtés à Martin");
  EXPECT_EQ(f.v().typeListe, 1);
  EXPECT_EQ(w->Grille->columnCount(), 4);
  EXPECT_EQ(w->texte(0, 3), "DATE RETOUR");
  EXPECT_EQ(titres(w), QStringList({"Film 001", "Film 001", "Film 004"}));
  EXPECT_EQ(w->texte(1, 2), "01/01/2004");
  EXPECT_EQ(w->texte(2, 2), "03/03/2004");
  EXPECT_EQ(w->texte(2, 3), "07/03/2004");
  EXPECT_EQ(w->texte(3, 3), "08/04/2004");
  w->close();
  // The loaded history is the shown card's again (it has none).
  attendreEtatIntact(f, 2, "Film 002", false);
  EXPECT_EQ(f.v().nbHisto, 0);

  f.afficherPosition(1);
  t.dlg.repondre(Dialogues::OK, "Aucun prêt trouvé pour cette personne !!!\r", 1, "Message");
  f.voirfilm("?");
  EXPECT_EQ(f.listpret, nullptr);
  attendreEtatIntact(f, 1, "Film 001", true);
  EXPECT_EQ(f.v().nbHisto, 3);
  t.dlg.verifierTousConsommes();
}
