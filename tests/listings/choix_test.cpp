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
} // namespace

// Genres and buyers are picked in a list, the rest typed. OK, the close box
// and Enter run the listing, Esc does not.
TEST(ChoixDialogues, ListesParCritere) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.acheteurs = {"Paul", "moi", "Albert"};
  Filmorel &f = t.ouvrir({catalogue::fiche("3000000000001", "Un", {{Champ::genre, "Action"}, {Champ::achat, "Paul"},
                                                                   {Champ::editeur, "Warner"}}),
                          catalogue::fiche("3000000000002", "Zazie", {{Champ::acteurs, "Jean Gabin"}})}, r);
  t.avis("Aucun DVD trouvé pour cette catégorie  !!!\r", 1); // the genre left at "?"
  for (auto [menu, choix, texte, touche, attendu] :
       {std::tuple{f.SM_Afficher_FilmTriGenre, -1, "", Qt::Key_unknown, QStringList()},
        {f.SM_Afficher_AchatFilm, 2, "", Qt::Key_unknown, {"Liste des DVDs achetés par Paul", "Un"}},
        {f.SM_Afficher_FilmTriEditeur, -1, "warner", Qt::Key_Close, {"Liste des DVDs d'un éditeur : warner", "Un"}},
        {f.SM_Afficher_FilmTriActeur, -1, "gabin", Qt::Key_Return, {"Liste des DVDs d'un interprète : gabin", "Zazie"}},
        {f.SM_Afficher_FilmTerme, -1, "z", Qt::Key_Escape, {}}}) {
    ChoixDialogue *d = ouvrir(menu);
    QLineEdit *saisie = d->texte ? d->texte : d->combo->lineEdit();
    if (saisie)
      saisie->clear();
    choix >= 0 ? d->combo->setCurrentIndex(choix) : QTest::keyClicks(saisie, texte);
    touche == Qt::Key_unknown ? QTest::mouseClick(d->OKButton, Qt::LeftButton)
    : touche == Qt::Key_Close ? (void)d->close()
                              : QTest::keyClick(saisie, touche);
    EXPECT_EQ(liste(f), attendu) << texte;
  }
  // Buyers in alphabetical order.
  EXPECT_EQ(ouvrir(f.SM_Afficher_AchatFilm)->combo->items(), QStringList({"Albert", "moi", "Paul"}));
}

// Names match whole, case included; the shown card's history is loaded back.
TEST(ChoixDialogues, FilmsPretesAUnePersonne) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(4));
  for (auto [ean, prets] : {std::pair{"3000000000001", QList<Pret>{{"Martin", "01/01/2004", "05/01/2004"},
                                                                    {"martin", "01/05/2004", "02/05/2004"},
                                                                    {"Martin", " 03/03/2004", "07/03/2004 "}}},
                            {"3000000000004", {{"Martin", "04/04/2004", "08/04/2004"}}}})
    ASSERT_TRUE(historique::ecrire(t.chemin(QString("historique/%1.hst").arg(ean)), prets));
  Filmorel &f = t.demarrer();
  ChoixDialogue *d = ouvrir(f.SM_Afficher_FilmPretPersonne);
  d->combo->setCurrentIndex(0);
  QTest::mouseClick(d->OKButton, Qt::LeftButton);
  EXPECT_EQ(liste(f), QStringList({"Liste de mes Films prêtés à Martin", "Film 001", "Film 001", "Film 004"}));
  t.avis("Aucun prêt trouvé pour cette personne !!!\r", 1);
  f.voirfilm("?");
  EXPECT_TRUE(f.listpret == nullptr && f.v().nbHisto == 3);
}
