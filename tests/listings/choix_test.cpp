#include "listings/choix.h"
#include "listings/listpret.h"
#include "storage/historique.h"
#include "support/fenetre.h"

namespace {
ChoixDialogue *ouvrir(QAction *menu) {
  menu->trigger();
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *d = qobject_cast<ChoixDialogue *>(w); d && d->isVisible())
      return d;
  return nullptr;
}

// The window title, then the titles listed; the list window closed.
QStringList liste(Filmorel &f) {
  if (!f.listpret)
    return {};
  QStringList r{f.listpret->windowTitle()};
  for (int i = 1; i < f.listpret->Grille->rowCount() && !f.listpret->texte(i, 0).isEmpty(); ++i)
    r << f.listpret->texte(i, 1);
  f.listpret->close();
  return r;
}

Fiche carte(int n, const QString &titre, Champ c, const QString &valeur) {
  return catalogue::fiche(QString::number(3000000000000LL + n), titre, {{c, valeur}});
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
  t.avis("Aucun DVD trouvé pour cette catégorie  !!!\r", 1);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_FALSE(f.listpret);

  d = ouvrir(f.SM_Afficher_FilmTriGenre);
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  const QStringList lignes = liste(f);
  EXPECT_EQ(lignes.value(0), "Liste des DVDs par genre : Action");
  EXPECT_TRUE(lignes.size() == 21 && lignes.contains("Espace devant") && !lignes.contains("Minuscule"));
  EXPECT_EQ(f.titre->text(), "Minuscule"); // the card shown stays
}

TEST(ChoixDialogues, EditeurActeurEtTerme) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({carte(1, "Un", Champ::editeur, "WARNER BROS"), carte(2, "Deux", Champ::editeur, "Gaumont"),
                          carte(3, "Trois", Champ::editeur, "Warner"), carte(4, "Zazie", Champ::acteurs, "Jean Gabin"),
                          carte(5, "Quai des brumes", Champ::acteurs, "Michèle Morgan, Jean Gabin")});
  // Types the text, then the key (none: the close box); the titles listed.
  auto titres = [&](QAction *menu, const QString &texte, Qt::Key touche = Qt::Key_unknown) {
    ChoixDialogue *d = ouvrir(menu);
    QLineEdit *saisie = d->texte ? d->texte : d->combo->lineEdit();
    saisie->selectAll();
    QTest::keyClicks(saisie, texte);
    touche == Qt::Key_unknown ? (void)d->close() : QTest::keyClick(saisie, touche);
    return liste(f).mid(1);
  };
  // The close box runs the listing like OK; a publisher matches by substring.
  EXPECT_EQ(titres(f.SM_Afficher_FilmTriEditeur, "warner"), QStringList({"Trois", "Un"}));
  // Enter answers OK, Esc Annuler.
  EXPECT_EQ(titres(f.SM_Afficher_FilmTriActeur, "gabin", Qt::Key_Return), QStringList({"Quai des brumes", "Zazie"}));
  EXPECT_EQ(titres(f.SM_Afficher_FilmTerme, "z", Qt::Key_Escape), QStringList());
  // A term of one letter: every title that holds it, whatever its case.
  EXPECT_EQ(titres(f.SM_Afficher_FilmTerme, "z", Qt::Key_Return), QStringList({"Zazie"}));
}

TEST(ChoixDialogues, AcheteursTriesEtAcheteurPrecedent) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.acheteurs = {"Paul", "moi", "Albert"};
  Filmorel &f = t.ouvrir({carte(1, "Un", Champ::achat, "Paul"), carte(2, "Deux", Champ::achat, "Albert"),
                          carte(3, "Trois", Champ::achat, "Paulette")}, r);
  ChoixDialogue *d = ouvrir(f.SM_Afficher_AchatFilm);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->combo->items(), QStringList({"Albert", "moi", "Paul"}));
  d->combo->setCurrentIndex(2);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(liste(f), QStringList({"Liste des DVDs achetés par Paul", "Trois", "Un"}));
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
  ASSERT_TRUE(f.listpret);
  EXPECT_EQ(QStringList({f.listpret->texte(2, 2), f.listpret->texte(2, 3)}), QStringList({"03/03/2004", "07/03/2004"}));
  EXPECT_EQ(liste(f), QStringList({"Liste de mes Films prêtés à Martin", "Film 001", "Film 001", "Film 004"}));
  // The loaded history is the shown card's again (it has none).
  EXPECT_EQ(f.v().nbHisto, 0);
  f.afficherPosition(1);
  t.avis("Aucun prêt trouvé pour cette personne !!!\r", 1);
  f.voirfilm("?");
  EXPECT_TRUE(f.listpret == nullptr && f.v().nbHisto == 3);
}
