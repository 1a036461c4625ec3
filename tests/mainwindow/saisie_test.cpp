#include "support/fenetre.h"

#include "storage/historique.h"

namespace {
QString premiereLigneIni(FenetreTest &t) { return QString::fromLatin1(t.octets("dvd.ini")).section("\r\n", 0, 0); }

void nouvelleFiche(FenetreTest &t, const char *code) {
  t.question(Dialogues::Oui, kCreer);
  QTest::keyClicks(t.f->eansearch, code);
  ASSERT_EQ(t.f->v().modeCreation, 1);
}

void enNavigation(Filmorel &f) {
  EXPECT_EQ(f.v().modifEnCours + f.v().pretEnCours + f.v().modeCreation, 0);
  EXPECT_FALSE(f.valider->isVisible() || f.conteneur->isEnabled() || !f.ean->isReadOnly());
  for (QWidget *w : std::initializer_list<QWidget *>{f.modifier, f.pret, f.quitter, f.eansearch, f.VScroll1})
    EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
}
} // namespace

TEST(Saisie, CatalogueVideJusquALaPremiereFiche) {
  FenetreTest t;
  t.avis("Base de donnée vierge.\r\rVeuillez saisir le code E.A.N (13) d'un DVD dans la fenêtre suivante "
         "pour créer une nouvelle fiche.\r\rMerci d'utiliser ce logiciel et bonne application !!!");
  catalogue::ecrire(t.dossier.path(), {});
  Filmorel &f = t.demarrer();
  for (const char *nom : {"historic", "modifier", "supprimer", "pret", "retour", "valider", "Compteur"})
    EXPECT_FALSE(t.ctrl(nom)->isVisible()) << nom;
  EXPECT_TRUE(f.quitter->isVisible() && f.ean->isReadOnly() && !f.conteneur->isEnabled());
  EXPECT_FALSE(f.jacket->image().isNull());
  // Function keys act only when their button could be used; the searches find nothing.
  for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F6, Qt::Key_F7, Qt::Key_F4})
    QTest::keyClick(f.eansearch, k);
  EXPECT_EQ(f.v().modifEnCours + f.v().pretEnCours, 0);
  t.avis("Film non trouvé !!!\r", 1).saisir("Alien");
  f.SM_Recherche_Film->trigger();
  f.v().reponseTexte = "A";
  t.avis("Pas de fiche '' A '' correspondante !!!\r", 0);
  f.recherchedirecte();
  EXPECT_EQ(QFileInfo(t.chemin("dvd.idx")).size(), 0);
  // Nothing was read into the buffer: it still is no card.
  EXPECT_TRUE(f.v().ficheCourante.vierge());

  nouvelleFiche(t, "3012345678902");
  EXPECT_FALSE(f.eansearch->isVisible() || f.quitter->isVisible() || f.nom->isEnabled());
  QTest::keyClicks(f.titre, "Alien");
  QTest::keyClicks(f.annee, "1979");
  QTest::mouseClick(f.valider, Qt::LeftButton);

  // The defaults shown for a new card are the ones saved.
  const Fiche attendue = catalogue::fiche("3012345678902", "Alien", {{Champ::annee, "1979"}, {Champ::duree, ""},
      {Champ::achat, ""}, {Champ::dateachat, aujourdhui()}, {Champ::jacket, "jacket.bmp"}});
  EXPECT_EQ(t.octets("dvd.lst"), attendue.versOctets());
  EXPECT_EQ(t.octets("dvd.idx"), (EntreeIndex{EntreeIndex::cleDe(attendue), 1}).versOctets());
  EXPECT_EQ(premiereLigneIni(t), "1");
  enNavigation(f);
  EXPECT_FALSE(f.historic->isVisible() || f.ajou[0]->isVisible());
}

TEST(Saisie, NouvelleFicheRangeeAPlaceEtMontree) {
  FenetreTest t;
  // An earlier title contains the new one, and an empty title is there too.
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Casino"),
                          catalogue::fiche("2222222222222", "A la recherche d'Alien"),
                          catalogue::fiche("3333333333333", "")});
  nouvelleFiche(t, "4444444444444");
  f.titre->setText("Alien");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  // Index order: "", A la recherche d'Alien, Alien, Casino.
  EXPECT_EQ(QStringList({f.Compteur->text(), QString::number(t.entree(3).numero), premiereLigneIni(t)}),
            QStringList({"3 / 4", "4", "4"}));
  nouvelleFiche(t, "5555555555550"); // without a title: after the first one without
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.entree(2).numero, 5);
}

TEST(Saisie, ModifierSansChangementCodeBarreChangeEtTitreChange) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), {catalogue::fiche("1111111111111", "Alien"),
                                       catalogue::fiche("2222222222222", "Brazil"),
                                       catalogue::fiche("3333333333333", "Casino")});
  // An index out of title order (Casino, Brazil, Alien): only a re-sort would change it.
  const EntreeIndex premiere = t.entree(1), troisieme = t.entree(3);
  fichiers::ecrireEntree(t.dossier.path(), 1, troisieme);
  fichiers::ecrireEntree(t.dossier.path(), 3, premiere);
  Filmorel &f = t.demarrer();
  f.VScroll1->setValue(2);
  const QByteArray lst = t.octets("dvd.lst"), idx = t.octets("dvd.idx");
  ASSERT_TRUE(historique::ecrire(historique::chemin(t.dossier.path(), "2222222222222"),
                                 {{"Martin", "01/01/2004", "02/02/2004"}}));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx"), lst + idx);
  enNavigation(f);
  EXPECT_TRUE(f.historic->isVisible()); // the history file written meanwhile is seen

  // A new bar code alone rewrites that entry only.
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.ean->clear();
  QTest::keyClicks(f.ean, "4a4-4 4x44444444445"); // only digits go in, 13 at most
  QTest::mouseClick(f.valider, Qt::LeftButton);
  const QByteArray apres = t.octets("dvd.idx");
  const int n = EntreeIndex::Taille;
  EXPECT_EQ(apres.left(n) + apres.mid(2 * n), idx.left(n) + idx.mid(2 * n));
  EXPECT_EQ(QStringList({t.entree(2).ean(), t.lue(2).get(Champ::ean), QString::number(f.v().posCourante)}),
            QStringList({"4444444444444", "4444444444444", "2"}));

  // A new title re-sorts the index.
  f.VScroll1->setValue(1);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.titre->setText("Zorro");
  f.dateachat->clear();
  QTest::keyClicks(f.dateachat, "12-05-2003");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(QList<int>({t.entree(1).numero, t.entree(3).numero}), QList<int>({1, 3}));
  EXPECT_EQ(QStringList({t.lue(3).get(Champ::dateachat), t.entree(3).dateachat(), f.Compteur->text()}),
            QStringList({"12/05/2003", "12/05/2003", "3 / 3"}));
}

TEST(Saisie, CompteurDeCaracteresEtNomDEmprunteurExactAuxBlancsPres) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2)); // borrowers Durand, Martin
  t.activer();
  f.modification();
  f.resumer->setFocus();
  f.resumer->setText(QString(578, u'x'));
  QTest::keyClicks(f.resumer, "yzw");
  QTest::keyClick(f.resumer, Qt::Key_Return);
  EXPECT_EQ(QString::number(f.resumer->longueur()) + " " + f.cpt->text(), "580 580/580");
  // Text committed by an input method (dead keys, compose) obeys the same limit.
  f.resumer->setText(QString(578, u'x'));
  f.resumer->moveCursor(QTextCursor::End);
  QInputMethodEvent compose;
  compose.setCommitString("éèà");
  QApplication::sendEvent(f.resumer, &compose);
  EXPECT_EQ(f.resumer->text().right(3) + " " + f.cpt->text(), "xéè 580/580");
  f.acteurs->setFocus();
  EXPECT_EQ(f.cpt->text(), "0/95");
  t.question(Dialogues::Oui, kAnnuler);
  f.annulerSaisie();

  const QByteArray lst = t.octets("dvd.lst");
  QTest::mouseClick(f.pret, Qt::LeftButton);
  for (const char *nom : {"martin", "Mart", ""}) {
    f.nom->setEditText(QString::fromLatin1(nom));
    t.avis("Nom pas valide ou ne figurant pas dans la liste.");
    QTest::mouseClick(f.valider, Qt::LeftButton);
    EXPECT_EQ(f.v().pretEnCours, 1) << nom;
    EXPECT_EQ(t.octets("dvd.lst"), lst);
  }
  f.nom->setEditText("  Martin ");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  enNavigation(f);
  EXPECT_TRUE(t.pret(1).startsWith("Oui|" + aujourdhui() + "|")) << t.pret(1).toStdString();
  EXPECT_TRUE(f.retour->isEnabled() && !f.pret->isEnabled());
}

TEST(Saisie, DeuxMilliemeFicheAccepteeLaSuivanteRefusee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(1999));
  nouvelleFiche(t, "9999999999994");
  f.titre->setText("Zorro");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(f.Compteur->text(), "2000 / 2000");

  // The search refuses a new card before the entry starts.
  const QByteArray avant = t.octets("dvd.lst") + t.octets("dvd.idx");
  t.question(Dialogues::Oui, kCreer).repondre(Dialogues::OK,
      "Le catalogue est complet : il ne peut contenir plus de 2000 fiches.\r\r"
      "Cette fiche ne peut pas être enregistrée.", 48, "Message");
  QTest::keyClicks(f.eansearch, "8888888888888");
  EXPECT_EQ(f.v().modeCreation + f.v().modifEnCours, 0);
  EXPECT_EQ(t.octets("dvd.lst") + t.octets("dvd.idx"), avant);
  EXPECT_EQ(premiereLigneIni(t), "2000");
}

TEST(Saisie, CodeBarreEtDatesTapesControlesCeuxDuFichierRendusTelsQuels) {
  FenetreTest t;
  // A card of the older program: a short bar code, a date written its own way.
  Filmorel &f = t.ouvrir({catalogue::fiche("123", "Alien", {{Champ::dateachat, "12-05-03"}})});
  t.activer();
  const QByteArray lst = t.octets("dvd.lst");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.octets("dvd.lst"), lst);

  const QString date = QStringLiteral(" n'est pas une date valide.\r\rSaisissez-la sous la forme jj/mm/aaaa (par "
                                      "exemple 25/12/2004) ou laissez-la vide.");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  using Cas = std::pair<QLineEdit *, const char *>;
  for (const auto &[boite, texte] : {Cas{f.ean, ""}, Cas{f.ean, "123456789012"}, Cas{f.dateachat, "31/02/2005"},
                                     Cas{f.dateachat, "hier soir"}, Cas{f.dateachat, "1/2/2004"},
                                     Cas{f.dateachat, "25/12/04"}}) {
    const QString garde = boite->text();
    boite->setText(texte);
    t.avis(boite == f.ean ? QStringLiteral("Le code E.A.N doit comporter exactement 13 chiffres !!!")
                          : "La date d'achat" + date);
    QTest::mouseClick(f.valider, Qt::LeftButton);
    // Still there to be corrected, nothing saved.
    EXPECT_TRUE(boite->hasFocus() && !f.ean->isReadOnly() && t.octets("dvd.lst") == lst) << texte;
    boite->setText(garde);
  }
  f.ean->setText("1234567890128");
  f.dateachat->setText("29.02.2004");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.lue(1).get(Champ::ean) + t.lue(1).get(Champ::dateachat), "123456789012829/02/2004");

  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.nom->setEditText("Durand");
  f.datepret->setText("hier soir");
  t.avis("La date de prêt" + date);
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_TRUE(f.datepret->hasFocus() && f.v().pretEnCours == 1);
  f.datepret->setText("24-12-2004");
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.pret(1), "Oui|24/12/2004|Durand");
}
