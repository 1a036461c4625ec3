#include "catalogue/ecrivain.h"
#include "catalogue/sauvegardes.h"
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
// file counts as a difference. Backups are left out unless asked for.
using Etat = QMap<QString, QByteArray>;

Etat etat(const QString &dossier, bool sauvegardes = false) {
  Etat e;
  for (QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
    const QString nom = QDir(dossier).relativeFilePath(it.next());
    if (sauvegardes || !nom.startsWith(catalogue::kSauvegardes + '/'))
      e.insert(nom, contenu(it.filePath()));
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

// Each command undone gives the folder byte for byte as before it, and the
// state in memory as read from it; undone in a row, a whole run of commands
// gives the folder as it was at start-up, which the run's one backup holds.
TEST(Ecrivain, AnnulerRemetLeDossierCommeAvantChaqueCommande) {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("cat");
  QDir().mkpath(dossier);
  const Etat depart = catalogueDeDepart(dossier);
  Variables v;
  auto memeEtatQueLeDossier = [&] {
    Variables relu;
    ouvrir(relu, dossier, v.posCourante);
    return relu.nbFiches == v.nbFiches && relu.ficheCourante.versOctets() == v.ficheCourante.versOctets() &&
           std::equal(relu.tabIndex.cbegin(), relu.tabIndex.cbegin() + v.nbFiches + 1, v.tabIndex.cbegin());
  };
  const QStringList libelles = {"nouvelle fiche « Amadeus »", "modification de « Zelig »",
                                "modification de « Casino »", "prêt de « Casino »",
                                "retour de « Alien »",        "suppression de « Alien »",
                                "suppression de « Casino »",  "modification des listes",
                                "importation de 2 fiche(s)"};
  for (int i = 0; i < commandes().size(); ++i) {
    const Commande &c = commandes()[i];
    SCOPED_TRACE(c.nom);
    remettre(dossier, depart);
    ouvrir(v, dossier, c.position);
    catalogue::Ecrivain ecrivain(v);
    ASSERT_TRUE(c.lancer(ecrivain, v).fait());
    EXPECT_EQ(ecrivain.aAnnuler().toStdString(), libelles[i].toStdString());
    ASSERT_TRUE(ecrivain.annuler().fait());
    EXPECT_EQ(etat(dossier), depart);
    EXPECT_EQ(v.posCourante, c.position);
    EXPECT_TRUE(memeEtatQueLeDossier());
    EXPECT_EQ(ecrivain.aAnnuler(), "");
    EXPECT_EQ(ecrivain.annuler().etat, catalogue::Resultat::Refuse);
  }

  QDir(dossier).removeRecursively();
  remettre(dossier, depart);
  ouvrir(v, dossier, 1);
  catalogue::Ecrivain ecrivain(v);
  int faites = 0;
  for (int tour = 0; tour < 3; ++tour)
    for (const Commande &c : commandes()) {
      v.posCourante = qMin(c.position, v.nbFiches);
      fichiers::lireFiche(dossier, v.tabIndex[v.posCourante].numero, v.ficheCourante);
      faites += c.lancer(ecrivain, v).fait();
    }
  ASSERT_GE(faites, 20);
  while (!ecrivain.aAnnuler().isEmpty())
    ASSERT_TRUE(ecrivain.annuler().fait()) << faites--;
  EXPECT_EQ(etat(dossier), depart);
  EXPECT_TRUE(memeEtatQueLeDossier());
  const QList<catalogue::Sauvegarde> faitesCeTour = catalogue::sauvegardes(dossier);
  ASSERT_EQ(faitesCeTour.size(), 1);
  EXPECT_EQ(faitesCeTour[0].nbFiches, 4);
  Etat sauvee = etat(faitesCeTour[0].chemin);
  EXPECT_EQ(sauvee, depart);
}

// Undo never writes over a change made since by someone else; a backup that
// cannot be made is said once and stops the change unless the user goes on;
// rotation keeps the newest; a restore is one command, undone like any other.
TEST(Ecrivain, SauvegardesEtAnnulationRefusee) {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("cat");
  QDir().mkpath(dossier);
  const Etat depart = catalogueDeDepart(dossier);
  Variables v;
  ouvrir(v, dossier, 1);
  catalogue::Ecrivain ecrivain(v);
  ecrireBrut(QDir(dossier).filePath(catalogue::kSauvegardes), "un fichier, pas un dossier");
  const Etat bloque = etat(dossier);
  QStringList dits;
  bool continuer = false;
  ecrivain.sauvegardeImpossible = [&](const QString &message) {
    dits << message;
    return continuer;
  };
  const Commande &listes = commandes()[7];
  EXPECT_EQ(listes.lancer(ecrivain, v).etat, catalogue::Resultat::Refuse);
  EXPECT_EQ(etat(dossier), bloque);
  continuer = true;
  ASSERT_TRUE(listes.lancer(ecrivain, v).fait());
  ASSERT_TRUE(commandes()[6].lancer(ecrivain, v).fait());
  ASSERT_EQ(dits.size(), 2);
  EXPECT_TRUE(dits[0].startsWith("La sauvegarde du catalogue n'a pas pu être faite dans le dossier :"));

  // dvd.ini changed by another program: neither step is undone.
  Etat change = etat(dossier);
  change["dvd.ini"].replace("Policier", "Polar\r\nXX");
  remettre(dossier, change);
  const catalogue::Resultat refuse = ecrivain.annuler();
  EXPECT_EQ(refuse.etat, catalogue::Resultat::Refuse);
  EXPECT_TRUE(refuse.message.startsWith("« suppression de « Casino » » ne peut pas être annulé : les fichiers"))
      << refuse.message.toStdString();
  EXPECT_EQ(etat(dossier), change);
  EXPECT_EQ(ecrivain.aAnnuler(), "");

  remettre(dossier, depart);
  const QDateTime t0(QDate(2020, 1, 1), QTime(10, 0));
  for (int i = 0; i < 12; ++i)
    ASSERT_FALSE(catalogue::sauvegarder(dossier, 10, t0.addDays(i)).isEmpty());
  QList<catalogue::Sauvegarde> liste = catalogue::sauvegardes(dossier);
  ASSERT_EQ(liste.size(), 10);
  EXPECT_EQ(liste.first().date, t0.addDays(11));
  EXPECT_EQ(liste.last().date, t0.addDays(2));

  // Restore the state after a deletion over the start-up one, then undo it.
  ouvrir(v, dossier, 3);
  ASSERT_TRUE(commandes()[6].lancer(ecrivain, v).fait());
  const Etat apres = etat(dossier);
  ASSERT_FALSE(catalogue::sauvegarder(dossier, 10, t0.addYears(1)).isEmpty());
  ASSERT_TRUE(ecrivain.annuler().fait());
  ecrireBrut(QDir(dossier).filePath("historique/9999999999999.hst"), "en trop");
  const Etat avantRestauration = etat(dossier);
  ouvrir(v, dossier, 2);
  ASSERT_TRUE(ecrivain.restaurer(catalogue::sauvegardes(dossier).first()).fait());
  EXPECT_EQ(etat(dossier), apres);
  EXPECT_EQ(v.nbFiches, 3);
  EXPECT_EQ(etat(catalogue::sauvegardes(dossier).first().chemin), avantRestauration);
  EXPECT_EQ(ecrivain.aAnnuler(), "restauration de la sauvegarde du 01/01/2021 10:00:00");
  ASSERT_TRUE(ecrivain.annuler().fait());
  EXPECT_EQ(etat(dossier), avantRestauration);
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
