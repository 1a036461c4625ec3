#include "catalogue/ecrivain.h"
#include "storage/fichiers.h"
#include "storage/historique.h"
#include "storage/outils.h"

#include <QDirIterator>
#include <QMap>
#include <sys/wait.h>
#include <unistd.h>

using catalogue::Panne;

namespace {
// Every file under the folder, by relative name: a stray journal or temp
// file counts as a difference.
using Etat = QMap<QString, QByteArray>;

Etat etat(const QString &dossier) {
  Etat e;
  for (QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
    const QString chemin = it.next();
    e.insert(QDir(dossier).relativeFilePath(chemin), contenu(chemin));
  }
  return e;
}

void remettre(const QString &dossier, const Etat &e) {
  QDir(dossier).removeRecursively();
  for (auto it = e.cbegin(); it != e.cend(); ++it) {
    QDir(dossier).mkpath(QFileInfo(it.key()).path());
    ecrireBrut(QDir(dossier).filePath(it.key()), it.value());
  }
  QDir(dossier).mkpath("historique");
}

Fiche carte(const QString &ean, const QString &titre) {
  Fiche f;
  for (int c = 0; c < 23; ++c)
    f.set(static_cast<Champ>(c), QString());
  f.set(Champ::ean, ean);
  f.set(Champ::titre, titre);
  f.set(Champ::dateachat, "01/02/2003");
  f.set(Champ::preter, "Non");
  return f;
}

Reglages reglagesDe(int n) {
  Reglages r;
  r.nbFiches = n;
  r.margeHaut = r.margeBas = r.margeGauche = r.margeDroite = "10";
  r.genres = {"Film", "Policier"};
  r.noms = {"Martin"};
  return r;
}

// Records Brazil, Alien, Dune, Casino; index in title order; Alien lent
// with a history of one loan.
Etat catalogueDeDepart(const QString &dossier) {
  QList<Fiche> cartes = {carte("1000000000001", "Brazil"), carte("1000000000002", "Alien"),
                         carte("1000000000003", "Dune"), carte("1000000000004", "Casino")};
  cartes[1].set(Champ::preter, "Oui");
  cartes[1].set(Champ::nom, "Martin");
  QByteArray lst;
  for (const Fiche &f : cartes)
    lst += f.versOctets();
  ecrireBrut(QDir(dossier).filePath("dvd.lst"), lst);
  ecrireBrut(QDir(dossier).filePath("dvd.idx"),
             index({{EntreeIndex::cleDe(cartes[1]), 2}, {EntreeIndex::cleDe(cartes[0]), 1},
                    {EntreeIndex::cleDe(cartes[3]), 4}, {EntreeIndex::cleDe(cartes[2]), 3}}));
  reglages::sauver(QDir(dossier).filePath("dvd.ini"), reglagesDe(4));
  QDir(dossier).mkpath("historique");
  historique::ecrire(historique::chemin(dossier, "1000000000002"), {{"Durand", "01/01/2020", "02/01/2020"}});
  return etat(dossier);
}

// The shared state as the window has it after reading the folder, on the
// card at index position `position`.
void ouvrir(Variables &v, const QString &dossier, int position) {
  v = Variables();
  v.cheminAppli = dossier + '/';
  Reglages r;
  reglages::lire(QDir(dossier).filePath("dvd.ini"), r);
  v.nbFiches = r.nbFiches;
  QList<EntreeIndex> entrees;
  fichiers::lireEntrees(dossier, 1, v.nbFiches, entrees);
  std::copy(entrees.cbegin(), entrees.cend(), v.tabIndex.begin() + 1);
  v.posCourante = position;
  fichiers::lireFiche(dossier, v.tabIndex[position].numero, v.ficheCourante);
}

struct Commande {
  const char *nom;
  int position;
  std::function<catalogue::Resultat(catalogue::Ecrivain &, Variables &)> lancer;
};

Fiche avec(Fiche f, Champ c, const QString &valeur) {
  f.set(c, valeur);
  return f;
}

const QList<Commande> &commandes() {
  static const QList<Commande> liste = {
      {"nouvelle fiche", 1,
       [](auto &e, auto &) { return e.enregistrer(carte("1000000000005", "Amadeus"), true, true, reglagesDe(0)); }},
      {"titre change", 2,
       [](auto &e, auto &v) {
         return e.enregistrer(avec(v.ficheCourante, Champ::titre, "Zelig"), false, true, reglagesDe(0));
       }},
      {"fiche enregistree", 3,
       [](auto &e, auto &v) {
         return e.enregistrer(avec(v.ficheCourante, Champ::acteurs, "Joe Pesci"), false, false, reglagesDe(0));
       }},
      {"pret", 3,
       [](auto &e, auto &v) {
         return e.enregistrer(avec(avec(v.ficheCourante, Champ::preter, "Oui"), Champ::nom, "Martin"), false, false,
                              reglagesDe(0));
       }},
      {"retour", 1,
       [](auto &e, auto &v) {
         return e.reintegrer(avec(avec(v.ficheCourante, Champ::preter, "Non"), Champ::nom, ""),
                             {"Martin", "03/03/2021", "04/04/2021"}, reglagesDe(0));
       }},
      {"suppression (la derniere fiche deplacee)", 1, [](auto &e, auto &) { return e.supprimer(1, reglagesDe(0)); }},
      {"suppression de la derniere fiche", 3, [](auto &e, auto &) { return e.supprimer(3, reglagesDe(0)); }},
      {"listes", 1,
       [](auto &e, auto &) {
         Reglages r = reglagesDe(0);
         r.genres << "Western";
         return e.sauverReglages(r);
       }},
      {"importation", 1,
       [](auto &e, auto &) {
         return e.importer({carte("2000000000001", "Metropolis"), carte("2000000000002", "Ben-Hur")}, reglagesDe(0));
       }},
  };
  return liste;
}
} // namespace

// For each command and each of its writes (journal included): a full disk
// at that write, or the process ending there. After the start-up recovery
// the folder is the one before or the one after the command, never another;
// after a failure reported in-process, the one before.
TEST(Ecrivain, ChaqueCommandeEstToutOuRienAChaqueEcritureInterrompue) {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("cat");
  QDir().mkpath(dossier);
  const Etat depart = catalogueDeDepart(dossier);
  const QString histo = "historique/1000000000002.hst";

  for (const Commande &c : commandes()) {
    SCOPED_TRACE(c.nom);
    // Once without faults: the folder after, and how many writes there are.
    remettre(dossier, depart);
    Variables v;
    ouvrir(v, dossier, c.position);
    catalogue::Ecrivain ecrivain(v);
    int ecritures = 0;
    ecrivain.disque().panne = [&](int rang) {
      ecritures = rang;
      return Panne::Aucune;
    };
    ASSERT_TRUE(c.lancer(ecrivain, v).fait());
    const Etat apres = etat(dossier);
    ASSERT_NE(apres, depart);
    ASSERT_GE(ecritures, 2);
    // The state kept in memory is the folder's: read again, it is the same.
    Variables relu;
    ouvrir(relu, dossier, v.posCourante);
    EXPECT_EQ(relu.nbFiches, v.nbFiches);
    EXPECT_TRUE(std::equal(relu.tabIndex.cbegin(), relu.tabIndex.cbegin() + v.nbFiches + 1, v.tabIndex.cbegin()));
    // A return whose history alone cannot be written still saves the card.
    Etat carteSeule = apres;
    carteSeule[histo] = depart.value(histo);

    for (int k = 1; k <= ecritures; ++k) {
      SCOPED_TRACE(k);
      // Disk full at write k.
      remettre(dossier, depart);
      ouvrir(v, dossier, c.position);
      catalogue::Ecrivain plein(v);
      plein.disque().panne = [k](int rang) { return rang == k ? Panne::Espace : Panne::Aucune; };
      const catalogue::Resultat r = c.lancer(plein, v);
      const Etat apresPanne = etat(dossier);
      if (r.fait()) {
        EXPECT_TRUE(apresPanne == carteSeule && QString(c.nom) == "retour" && !r.message.isEmpty());
      } else {
        EXPECT_EQ(apresPanne, depart);
        EXPECT_EQ(v.nbFiches, 4);
        EXPECT_FALSE(r.message.isEmpty());
      }

      // The process ends at write k; the next start-up rolls back.
      remettre(dossier, depart);
      const pid_t pid = fork();
      if (pid == 0) {
        ouvrir(v, dossier, c.position);
        catalogue::Ecrivain arrete(v);
        arrete.disque().panne = [k](int rang) { return rang == k ? Panne::Arret : Panne::Aucune; };
        c.lancer(arrete, v);
        _exit(0);
      }
      int statut = 0;
      ASSERT_EQ(waitpid(pid, &statut, 0), pid);
      ASSERT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 86);
      const catalogue::Reprise reprise = catalogue::reprendre(dossier);
      const Etat repris = etat(dossier);
      EXPECT_TRUE(repris == depart || repris == apres);
      // Past the journal write, the half-done command is rolled back.
      EXPECT_EQ(reprise, k == 1 ? catalogue::Reprise::Rien : catalogue::Reprise::Annulee);
    }
  }
}

// What undo will build on: the before-image of a command, applied, gives the
// folder as it was.
TEST(Ecrivain, LImageAvantRemetLeDossierCommeAvant) {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("cat");
  QDir().mkpath(dossier);
  const Etat depart = catalogueDeDepart(dossier);
  for (const Commande &c : commandes()) {
    remettre(dossier, depart);
    Variables v;
    ouvrir(v, dossier, c.position);
    catalogue::Ecrivain ecrivain(v);
    ASSERT_TRUE(c.lancer(ecrivain, v).fait()) << c.nom;
    ASSERT_TRUE(ecrivain.dernierAvant().restaurer(dossier));
    EXPECT_EQ(etat(dossier), depart) << c.nom;
  }
}

// A journal that is not whole (cut while written, or damaged) is never
// written back: the files were not touched yet.
TEST(Ecrivain, UnJournalIncompletOuAlteréNEstPasRejoue) {
  QTemporaryDir tmp;
  const Etat depart = catalogueDeDepart(tmp.path());
  catalogue::Image image;
  image.fichiers = {{"dvd.ini", 3, {{0, "abc"}}}};
  const QByteArray journal = image.journal();
  catalogue::Image relue;
  ASSERT_TRUE(catalogue::Image::depuisJournal(journal, relue) && relue == image);
  QByteArray altere = journal;
  altere[30] = altere[30] ^ 1;
  catalogue::Image sortante;
  sortante.fichiers = {{"../dehors", 0, {}}};
  for (const QByteArray &mauvais : {journal.left(journal.size() - 1), altere, sortante.journal()}) {
    ecrireBrut(QDir(tmp.path()).filePath(catalogue::kJournal), mauvais);
    EXPECT_EQ(catalogue::reprendre(tmp.path()), catalogue::Reprise::Rien);
    EXPECT_EQ(etat(tmp.path()), depart);
  }
}

// A bar code read from a file never names a path: the history of a card
// whose bar code climbs out of the folder is not written, the card is.
TEST(Ecrivain, UnCodeBarreQuiSortDuDossierNeNommeAucunHistorique) {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("a/b/cat");
  QDir().mkpath(dossier);
  catalogueDeDepart(dossier);
  for (const QString &ean : QStringList{"../../../x", "..", "a\\b", "c:d", "e\tf"}) {
    Variables v;
    ouvrir(v, dossier, 1);
    v.tabIndex[1].cle = ajuster(ean, 13) + v.tabIndex[1].cle.mid(13);
    catalogue::Ecrivain e(v);
    const catalogue::Resultat r = e.reintegrer(avec(v.ficheCourante, Champ::preter, "Non"), {"Martin", "1", "2"},
                                               reglagesDe(0));
    EXPECT_TRUE(r.fait() && r.message.startsWith("Le DVD est réintégré, mais")) << ean.toStdString();
    EXPECT_TRUE(historique::chemin(dossier, ean).isEmpty()) << ean.toStdString();
  }
  EXPECT_EQ(QDir(tmp.filePath("a")).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
  EXPECT_FALSE(QFileInfo::exists(tmp.filePath("x.hst")) || QFileInfo::exists(tmp.filePath("a/x.hst")));
  // Padding blanks still name the same file as before.
  EXPECT_TRUE(historique::chemin(dossier, "123").endsWith("historique/123          .hst"));
}
