#include "support/fenetre.h"

namespace {
// Types `texte` in the box, clicks the button and answers Yes
// to its question, then the refusal `puis` when given.
void cliquer(FenetreTest &t, ComboListe *combo, const QString &texte, const char *bouton, const char *puis = nullptr) {
  static const QMap<QByteArray, const char *> questions{
      {"ajou0", "Ajouter cet editeur à la liste ?"},    {"ajou1", "Ajouter ce nom à la liste ?"},
      {"ajou2", "Ajouter ce format sonore à la liste ?"}, {"ajou4", "Ajouter ce genre à la liste ?"},
      {"sup0", "Supprimer cet editeur de la liste ?"},  {"sup2", "Supprimer ce format sonore de la liste ?"},
      {"sup4", "Supprimer ce genre de la liste ?"}};
  combo->setEditText(texte);
  t.question(Dialogues::Oui, QString::fromUtf8(questions.value(bouton)));
  if (puis)
    t.dlg.repondre(Dialogues::OK, QString::fromUtf8(puis), 16, "");
  QTest::mouseClick(t.f->findChild<QPushButton *>(bouton), Qt::LeftButton);
}
} // namespace

TEST(Listes, AjoutALaPlaceDuTriOuALaFinRetraitSansEgardALaCasseMaisSansRognage) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(2));
  QTest::mouseClick(f.modifier, Qt::LeftButton);
  const QByteArray avant = t.octets("dvd.ini");
  using Cas = std::tuple<ComboListe *, const char *, const char *, QString>;
  for (const auto &[combo, bouton, absent, texte] :
       {Cas{f.editeur, "sup0", "Impossible de supprimer cet éditeur de la liste car il n'y figure pas !!!", " Gaumont"},
        Cas{f.Genre, "sup4", "Impossible de supprimer ce genre de la liste car il n'y figure pas !!!", "Drame "}})
    cliquer(t, combo, texte, bouton, absent);
  EXPECT_EQ(t.octets("dvd.ini"), avant);
  cliquer(t, f.Son, "dolby DIGITAL 5.1", "sup2");

  // French alphabetical order, accents and case ignored.
  for (const char *genre : {"Épouvante", "western", "Érotique", ""})
    cliquer(t, f.Genre, QString::fromUtf8(genre), "ajou4");
  cliquer(t, f.editeur, "Gaumont", "ajou0");
  cliquer(t, f.achat, "Zoé", "ajou1");
  cliquer(t, f.achat, "albert", "ajou1");
  cliquer(t, f.Son, " stéréo ", "ajou2");
  const Reglages r = t.ini();
  EXPECT_EQ(QList<QStringList>({r.genres, r.editeurs, r.acheteurs, r.sons}),
            QList<QStringList>({{"Action", "Comédie", "Drame", "Épouvante", "Érotique", "Film", "Policier", "western"},
                                {"Autre", "Gaumont", "Gaumont", "Pathé", "Warner"},
                                {"Moi", "Paul", "Zoé", "albert"}, {" stéréo ", "DTS", "Mono"}}));
}

// A borrower longer than the field (30) is checked whole against the list, stored cut.
TEST(Listes, EmprunteurPlusLongQueLeChampAccepteEtCoupe) {
  FenetreTest t;
  Reglages r = catalogue::reglagesDeBase();
  r.noms << "Jean-Christophe de La Fontaine-Dupuis";
  Filmorel &f = t.ouvrir(catalogue::numerotees(2), r);
  QTest::mouseClick(f.pret, Qt::LeftButton);
  f.nom->setCurrentIndex(f.nom->findText("Jean-Christophe de La Fontaine-Dupuis"));
  QTest::mouseClick(f.valider, Qt::LeftButton);
  EXPECT_EQ(t.pret(1), "Oui|" + aujourdhui() + "|Jean-Christophe de La Fontaine");
}
