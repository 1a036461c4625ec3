#include "support/fenetre.h"
#include "listings/listing.h"

namespace {
void cliquer(FenetreTest &t, const char *bouton, int reponse, const char *question) {
  t.question(reponse, QString::fromUtf8(question));
  QTest::mouseClick(t.ctrl<QPushButton>(bouton), Qt::LeftButton);
}

Filmorel &enEdition(FenetreTest &t) {
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  return f;
}
} // namespace

TEST(Listes, AjoutTelQuelALaPlaceDuTriOuALaFin) {
  FenetreTest t;
  Filmorel &f = enEdition(t);
  const QByteArray avant = t.octets("dvd.ini");

  f.Genre->setEditText("Aventure");
  cliquer(t, "ajou4", Dialogues::Non, "Ajouter ce genre à la liste ?");
  EXPECT_EQ(t.octets("dvd.ini"), avant);
  cliquer(t, "ajou4", Dialogues::Oui, "Ajouter ce genre à la liste ?");
  EXPECT_EQ(f.Genre->currentText(), "Aventure");
  f.Genre->setEditText("");
  cliquer(t, "ajou4", Dialogues::Oui, "Ajouter ce genre à la liste ?");
  EXPECT_EQ(f.Genre->items(), QStringList({"", "Action", "Aventure", "Comédie", "Drame", "Film", "Policier"}));

  f.editeur->setEditText("Gaumont");
  cliquer(t, "ajou0", Dialogues::Oui, "Ajouter cet editeur à la liste ?");
  EXPECT_EQ(f.editeur->items(), QStringList({"Autre", "Gaumont", "Gaumont", "Pathé", "Warner"}));

  for (const char *nom : {"Zoé", "albert"}) {
    f.achat->setEditText(QString::fromUtf8(nom));
    cliquer(t, "ajou1", Dialogues::Oui, "Ajouter ce nom à la liste ?");
  }
  f.Son->setEditText(" stéréo ");
  cliquer(t, "ajou2", Dialogues::Oui, "Ajouter ce format sonore à la liste ?");

  const Reglages r = t.ini();
  EXPECT_EQ(QList<QStringList>({r.genres, r.editeurs, r.acheteurs, r.sons}),
            QList<QStringList>({{"Action", "Aventure", "Comédie", "Drame", "Film", "Policier"}, f.editeur->items(),
                                {"Moi", "Paul", "Zoé", "albert"}, {" stéréo ", "Dolby Digital 5.1", "DTS", "Mono"}}));

  // Cancelling the edit keeps the lists as saved.
  t.dlg.repondre(Dialogues::Oui);
  f.annulerSaisie();
  EXPECT_TRUE(t.ini() == r && f.achat->items() == r.acheteurs);
}

TEST(Listes, RetraitSansEgardALaCasseMaisSansRognage) {
  FenetreTest t;
  Filmorel &f = enEdition(t);

  f.Son->setEditText("dolby DIGITAL 5.1");
  cliquer(t, "sup2", Dialogues::Non, "Supprimer ce format sonore de la liste ?");
  EXPECT_EQ(f.Son->items().size(), 3);
  cliquer(t, "sup2", Dialogues::Oui, "Supprimer ce format sonore de la liste ?");
  EXPECT_EQ(QList<QStringList>({f.Son->items(), t.ini().sons}), QList<QStringList>({{"DTS", "Mono"}, {"DTS", "Mono"}}));
  EXPECT_EQ(f.Son->currentText(), "dolby DIGITAL 5.1");

  // Removing the item the box stood on leaves the typed text in place.
  f.Genre->setCurrentIndex(f.Genre->findText("Film"));
  cliquer(t, "sup4", Dialogues::Oui, "Supprimer ce genre de la liste ?");
  EXPECT_TRUE(f.Genre->currentText() == "Film" && !f.Genre->items().contains("Film"));

  const QByteArray avant = t.octets("dvd.ini");
  using Cas = std::tuple<ComboListe *, const char *, const char *, const char *, QString>;
  for (const auto &[combo, bouton, question, absent, texte] :
       {Cas{f.editeur, "sup0", "Supprimer cet editeur de la liste ?",
            "Impossible de supprimer cet éditeur de la liste car il n'y figure pas !!!", " Gaumont"},
        Cas{f.Genre, "sup4", "Supprimer ce genre de la liste ?",
            "Impossible de supprimer ce genre de la liste car il n'y figure pas !!!", "Drame "}}) {
    combo->setEditText(texte);
    const QStringList items = combo->items();
    t.question(Dialogues::Oui, QString::fromUtf8(question));
    t.dlg.repondre(Dialogues::OK, QString::fromUtf8(absent), 16, "");
    QTest::mouseClick(t.ctrl<QPushButton>(bouton), Qt::LeftButton);
    EXPECT_EQ(combo->items() << combo->currentText(), QStringList(items) << texte) << bouton;
  }
  EXPECT_EQ(t.octets("dvd.ini"), avant);

  f.nom->setEditText("MARTIN");
  t.question(Dialogues::Oui, "Supprimer cet emprunteur de la liste ?");
  f.supprimerDeLaListe(3);
  EXPECT_EQ(t.ini().noms, QStringList({"Durand"}));
}

TEST(Listes, SaisieALaLargeurDuChampArticlesPlusLongsEntiersOrdreFrancais) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.genres << "Polar nordique";                      // longer than the genre field (12)
  r.noms << "Jean-Christophe de La Fontaine-Dupuis"; // and than the borrower's (30)
  Filmorel &f = t.ouvrir(catalogue::numerotees(2), r);
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  using Boite = std::pair<ComboListe *, Champ>;
  for (const auto &[combo, champ] : {Boite{f.editeur, Champ::editeur}, Boite{f.achat, Champ::achat},
                                     Boite{f.Son, Champ::son}, Boite{f.Genre, Champ::genre}}) {
    combo->setEditText("");
    QTest::keyClicks(combo->lineEdit(), QString(40, u'x'));
    EXPECT_EQ(combo->currentText().size(), largeur(champ));
  }

  // A longer item is picked whole, shortened but not lengthened by typing, stored cut...
  f.Genre->setCurrentIndex(f.Genre->findText("Polar nordique"));
  QTest::keyClicks(f.Genre->lineEdit(), "s");
  QTest::keyClick(f.Genre->lineEdit(), Qt::Key_Backspace);
  EXPECT_EQ(f.Genre->currentText(), "Polar nordiqu");
  f.Genre->setCurrentIndex(f.Genre->findText("Polar nordique"));
  QTest::mouseClick(f.valider, Qt::LeftButton);
  // ... and the listings by genre, publisher and buyer find the card holding it cut.
  using listes::Critere;
  using Cas = std::pair<Critere, const char *>;
  for (const auto &[critere, texte] : {Cas{Critere::Genre, "Polar nordique"}, Cas{Critere::Acheteur, "Moi-même ou Paul"},
                                       Cas{Critere::Editeur, "Autre maison d'édition du cinéma"}}) {
    Fiche carte = t.lue(1);
    carte.set(listes::defCritere(critere).champ, QString::fromUtf8(texte));
    EXPECT_TRUE(listes::correspond(critere, QString::fromUtf8(texte), carte)) << texte;
  }

  // The borrower check and "-" compare the whole item.
  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.nom->setCurrentIndex(f.nom->findText("Jean-Christophe de La Fontaine-Dupuis"));
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.pret(1), "Oui|" + aujourdhui() + "|Jean-Christophe de La Fontaine");
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  f.Genre->setCurrentIndex(f.Genre->findText("Polar nordique"));
  cliquer(t, "sup4", Dialogues::Oui, "Supprimer ce genre de la liste ?");

  // French alphabetical order, accents and case ignored, in the list and in dvd.ini.
  for (const char *genre : {"Épouvante", "western", "Érotique"}) {
    f.Genre->setEditText(QString::fromUtf8(genre));
    cliquer(t, "ajou4", Dialogues::Oui, "Ajouter ce genre à la liste ?");
  }
  EXPECT_EQ(t.ini().genres,
            QStringList({"Action", "Comédie", "Drame", "Épouvante", "Érotique", "Film", "Policier", "western"}));
}
