#include "listings/choix.h"
#include "listings/listpret.h"
#include "mainwindow/widgets.h"
#include "storage/historique.h"
#include "support/fenetre.h"

#include <QAction>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {
ChoixDialogue *ouvrir(QAction *menu) {
  menu->trigger();
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *d = qobject_cast<ChoixDialogue *>(w); d && d->isVisible())
      return d;
  return nullptr;
}

QStringList titres(ListPret *w) {
  QStringList r;
  for (int i = 1; i < w->Grille->rowCount() && !w->texte(i, 0).isEmpty(); ++i)
    r << w->texte(i, 1);
  return r;
}

Fiche carte(int n, const QString &titre, Champ c, const QString &valeur) {
  Fiche f = catalogue::fiche(QString::number(3000000000000LL + n), titre);
  f.set(c, valeur);
  return f;
}

// The main window as the user left it.
void intacte(Filmorel &f, int position, bool historique) {
  EXPECT_TRUE(f.isEnabled());
  EXPECT_EQ(f.VScroll1->value(), position);
  EXPECT_EQ(f.v().posCourante, position);
  EXPECT_EQ(f.titre->text(), f.v().tabIndex[position].titre().trimmed());
  EXPECT_EQ(f.historic->isVisibleTo(&f), historique);
  EXPECT_FALSE(f.Progress->isVisible());
}
} // namespace

TEST(ChoixDialogues, GenreExactEtPointDInterrogation) {
  FenetreTest t;
  QList<Fiche> cartes;
  for (int i = 1; i <= 19; ++i)
    cartes << carte(i, QString("Action %1").arg(i, 2, 10, QChar('0')), Champ::genre, "Action");
  cartes << carte(20, "Minuscule", Champ::genre, "action") << carte(21, "Espace devant", Champ::genre, " Action");
  Filmorel &f = t.ouvrir(cartes);
  f.afficherPosition(21);

  // Left at "?": the message, no window.
  ChoixDialogue *d = ouvrir(f.SM_Afficher_FilmTriGenre);
  ASSERT_TRUE(d);
  EXPECT_FALSE(f.isEnabled());
  EXPECT_EQ(d->combo->currentText(), "?");
  t.dlg.repondre(Dialogues::OK, "Aucun DVD trouvé pour cette catégorie  !!!\r", 1, "Message");
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_EQ(f.focusWidget(), f.eansearch);
  intacte(f, 21, false);

  d = ouvrir(f.SM_Afficher_FilmTriGenre);
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "Liste des DVDs par genre : Action");
  EXPECT_EQ(w->Grille->rowCount(), 22);
  const QStringList lignes = titres(w);
  EXPECT_EQ(lignes.size(), 20);
  EXPECT_TRUE(lignes.contains("Espace devant"));
  EXPECT_FALSE(lignes.contains("Minuscule"));
  w->close();
  intacte(f, 21, false);
  t.dlg.verifierTousConsommes();
}

TEST(ChoixDialogues, EditeurParSousChaineEtCaseDeFermeture) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({carte(1, "Un", Champ::editeur, "WARNER BROS"), carte(2, "Deux", Champ::editeur, "Gaumont"),
                          carte(3, "Trois", Champ::editeur, "Warner"), carte(4, "Quatre", Champ::editeur, "")});
  ChoixDialogue *d = ouvrir(f.SM_Afficher_FilmTriEditeur);
  ASSERT_TRUE(d);
  d->combo->lineEdit()->selectAll();
  QTest::keyClicks(d->combo->lineEdit(), "warner");
  d->close(); // the close box runs the listing like OK
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs d'un éditeur : warner");
  EXPECT_EQ(titres(f.listpret), QStringList({"Trois", "Un"}));
  f.listpret->close();

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
    cartes << carte(i, QString("Film %1").arg(i, 2, 10, QChar('0')), Champ::acteurs, "Jean Gabin, Michèle Morgan");
  cartes << carte(16, "Zazie dans le métro", Champ::realisateur, "Louis Malle");
  Filmorel &f = t.ouvrir(cartes);

  // Blanks only: the dialog closes, nothing is listed.
  ChoixDialogue *d = ouvrir(f.SM_Afficher_FilmTriActeur);
  ASSERT_TRUE(d && d->texte);
  QTest::keyClicks(d->texte, "   ");
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_TRUE(f.isEnabled());

  // Enter answers OK: 15 matches give 17 rows.
  d = ouvrir(f.SM_Afficher_FilmTriActeur);
  QTest::keyClicks(d->texte, "gabin");
  QTest::keyClick(d->texte, Qt::Key_Return);
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->Grille->rowCount(), 17);
  EXPECT_EQ(titres(f.listpret).size(), 15);
  f.listpret->close();

  // Esc answers Annuler.
  d = ouvrir(f.SM_Afficher_FilmTerme);
  QTest::keyClicks(d->texte, "z");
  QTest::keyClick(d->texte, Qt::Key_Escape);
  EXPECT_EQ(f.listpret, nullptr);
  EXPECT_TRUE(f.isEnabled());

  // A term of one letter: every title that holds it, whatever its case.
  f.voirfilmterme("z");
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(titres(f.listpret), QStringList({"Zazie dans le métro"}));
  f.listpret->close();
}

TEST(ChoixDialogues, AcheteursTriesEtAcheteurPrecedent) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.acheteurs = {"Paul", "moi", "Albert"};
  Filmorel &f = t.ouvrir({carte(1, "Un", Champ::achat, "Paul"), carte(2, "Deux", Champ::achat, "Albert"),
                          carte(3, "Trois", Champ::achat, "Paulette")},
                         r);
  ChoixDialogue *d = ouvrir(f.SM_Afficher_AchatFilm);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->combo->items(), QStringList({"Albert", "moi", "Paul"}));
  d->combo->setCurrentIndex(2);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs achetés par Paul");
  EXPECT_EQ(f.v().typeListe, 3);
  EXPECT_EQ(titres(f.listpret), QStringList({"Trois", "Un"}));
  f.listpret->close();

  // Annuler runs nothing; the close box lists the buyer chosen before.
  d = ouvrir(f.SM_Afficher_AchatFilm);
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->CancelButton, Qt::LeftButton);
  EXPECT_EQ(f.listpret, nullptr);
  d = ouvrir(f.SM_Afficher_AchatFilm);
  d->combo->setCurrentIndex(0);
  d->close();
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(f.listpret->windowTitle(), "Liste des DVDs achetés par Paul");
  f.listpret->close();
}

TEST(ChoixDialogues, FilmsPretesAUnePersonne) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(4));
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

  ChoixDialogue *d = ouvrir(f.SM_Afficher_FilmPretPersonne);
  ASSERT_TRUE(d);
  // The first borrower of the main list is not offered.
  EXPECT_EQ(d->combo->items(), QStringList({"Martin"}));
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  ListPret *w = f.listpret;
  ASSERT_TRUE(w);
  EXPECT_EQ(w->windowTitle(), "Liste de mes Films prêtés à Martin");
  EXPECT_EQ(titres(w), QStringList({"Film 001", "Film 001", "Film 004"}));
  EXPECT_EQ(w->texte(2, 2), "03/03/2004");
  EXPECT_EQ(w->texte(2, 3), "07/03/2004");
  w->close();
  // The loaded history is the shown card's again (it has none).
  intacte(f, 2, false);
  EXPECT_EQ(f.v().nbHisto, 0);

  f.afficherPosition(1);
  t.dlg.repondre(Dialogues::OK, "Aucun prêt trouvé pour cette personne !!!\r", 1, "Message");
  f.voirfilm("?");
  EXPECT_EQ(f.listpret, nullptr);
  intacte(f, 1, true);
  EXPECT_EQ(f.v().nbHisto, 3);
  t.dlg.verifierTousConsommes();
}
