#include "catalogue/ecrivain.h"
#include "storage/outils.h"

#include <QDirIterator>
#include <QMap>
#include <QThread>
#include <sys/wait.h>
#include <unistd.h>

using catalogue::Panne;
using catalogue::Resultat;

namespace {
// Every file but backups by relative name: a stray journal counts too.
using Etat = QMap<QString, QByteArray>;
Etat etat(const QString &dossier) {
  Etat e;
  for (QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
    if (const QString nom = QDir(dossier).relativeFilePath(it.next()); !nom.startsWith(catalogue::kSauvegardes + '/'))
      e.insert(nom, contenu(it.filePath()));
  return e;
}

void remettre(const QString &dossier, const Etat &e) {
  QDir(dossier).removeRecursively();
  QDir(dossier).mkpath("historique");
  for (auto it = e.cbegin(); it != e.cend(); ++it)
    ecrireBrut(QDir(dossier).filePath(it.key()), it.value());
}

Fiche avec(Fiche f, std::initializer_list<std::pair<Champ, QString>> champs) {
  for (const auto &[c, valeur] : champs)
    f.set(c, valeur);
  return f;
}
Fiche carte(int n, const QString &titre) {
  return avec({}, {{Champ::ean, QString::number(1000000000000 + n)}, {Champ::titre, titre}, {Champ::preter, "Non"}});
}

// The shared state as the window has it, on the card at index `position`.
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

// The count, the index cache (and the card) kept in memory are the folder's.
bool commeLeDossier(const Variables &v, const QString &dossier, bool carteAussi) {
  Variables lu;
  ouvrir(lu, dossier, v.posCourante);
  return lu.nbFiches == v.nbFiches && (!carteAussi || lu.ficheCourante.versOctets() == v.ficheCourante.versOctets()) &&
         std::equal(lu.tabIndex.cbegin(), lu.tabIndex.cbegin() + v.nbFiches + 1, v.tabIndex.cbegin());
}

// Each command of the writer, as undo names it, and the card it runs on.
struct Commande {
  const char *libelle;
  int position;
};
const QList<Commande> kCommandes = {
    {"nouvelle fiche « Amadeus »", 1}, {"modification de « Zelig »", 2}, {"modification de « Casino »", 3},
    {"prêt de « Casino »", 3},         {"retour de « Alien »", 1},       {"suppression de « Alien »", 1},
    {"suppression de « Casino »", 3},  {"modification des listes", 1},   {"importation de 2 fiche(s)", 1}};

Resultat lancer(qsizetype commande, catalogue::Ecrivain &e, Variables &v) {
  const Fiche &f = v.ficheCourante;
  switch (commande) {
  case 0: return e.enregistrer(carte(5, "Amadeus"), true, true, {});
  case 1: return e.enregistrer(avec(f, {{Champ::titre, "Zelig"}}), false, true, {});
  case 2: return e.enregistrer(avec(f, {{Champ::acteurs, "Pesci"}}), false, false, {});
  case 3: return e.enregistrer(avec(f, {{Champ::preter, "Oui"}, {Champ::nom, "Martin"}}), false, false, {});
  case 4: return e.reintegrer(avec(f, {{Champ::preter, "Non"}, {Champ::nom, ""}}), {"Martin", "3", "4"}, {});
  case 5: return e.supprimer(1, {}); // the last record moves into the freed place
  case 6: return e.supprimer(3, {}); // the last card
  case 7: return e.sauverReglages({.genres = {"Western"}});
  default: return e.importer({carte(101, "Metropolis"), carte(102, "Ben-Hur")}, {});
  }
}
} // namespace

// Records Brazil, Alien, Dune, Casino in a folder three levels down, the index
// in title order, Alien lent with a history of one loan.
struct Ecrivain : testing::Test {
  QTemporaryDir tmp;
  const QString dossier = tmp.filePath("a/b/cat");
  const Etat depart = [this] {
    QDir().mkpath(dossier + "/historique");
    QList<Fiche> c = {carte(1, "Brazil"), carte(2, "Alien"), carte(3, "Dune"), carte(4, "Casino")};
    c[1] = avec(c[1], {{Champ::preter, "Oui"}, {Champ::nom, "Martin"}});
    ecrireBrut(dossier + "/dvd.lst", c[0].versOctets() + c[1].versOctets() + c[2].versOctets() + c[3].versOctets());
    QByteArray idx;
    for (int n : {2, 1, 4, 3})
      idx += EntreeIndex{EntreeIndex::cleDe(c[n - 1]), qint16(n)}.versOctets();
    ecrireBrut(dossier + "/dvd.idx", idx);
    reglages::sauver(dossier + "/dvd.ini", {.nbFiches = 4});
    historique::ecrire(historique::chemin(dossier, "1000000000002"), {{"Durand", "01/01/2020", "02/01/2020"}});
    return etat(dossier);
  }();
  Variables v;
};

// Each command, undone, gives the folder byte for byte as before. At each write
// (journal included) a full disk leaves it as before, a failure said; the process
// ending there leaves it, after recovery, as before or after, never another.
TEST_F(Ecrivain, ChaqueCommandeEstToutOuRienEtSAnnule) {
  for (qsizetype i = 0; i < kCommandes.size(); ++i) {
    const Commande &c = kCommandes[i];
    SCOPED_TRACE(c.libelle);
    remettre(dossier, depart);
    ouvrir(v, dossier, c.position);
    catalogue::Ecrivain ecrivain(v);
    int n = 0;
    ecrivain.disque().panne = [&n](int rang) { return n = rang, Panne::Aucune; };
    ASSERT_TRUE(lancer(i, ecrivain, v).fait());
    const int ecritures = n;
    const Etat apres = etat(dossier);
    ASSERT_TRUE(ecritures >= 2 && apres != depart && commeLeDossier(v, dossier, false));
    ASSERT_TRUE(ecrivain.aAnnuler() == c.libelle && ecrivain.annuler().fait()) << ecrivain.aAnnuler().toStdString();
    EXPECT_TRUE(etat(dossier) == depart && v.posCourante == c.position && commeLeDossier(v, dossier, true));
    // A return whose history alone cannot be written still saves the card.
    Etat carteSeule = apres;
    carteSeule["historique/1000000000002.hst"] = depart["historique/1000000000002.hst"];

    for (int k = 1; k <= ecritures; ++k)
      for (const Panne p : {Panne::Espace, Panne::Arret}) {
        remettre(dossier, depart);
        if (fork() == 0) {
          ouvrir(v, dossier, c.position);
          catalogue::Ecrivain enPanne(v);
          enPanne.disque().panne = [&](int rang) { return rang == k ? p : Panne::Aucune; };
          const Resultat r = lancer(i, enPanne, v);
          // 0: a failure said, the memory untouched; 1: done with a warning.
          _exit(r.message.isEmpty() ? 2 : r.fait() ? 1 : v.nbFiches == 4 ? 0 : 3);
        }
        int statut = 0;
        const int code = wait(&statut) > 0 && WIFEXITED(statut) ? WEXITSTATUS(statut) : -1;
        if (p == Panne::Espace) // no journal is left to recover from
          EXPECT_TRUE(code == 0 ? etat(dossier) == depart : code == 1 && i == 4 && etat(dossier) == carteSeule)
              << "disque plein a l'ecriture " << k << ", " << code;
        else // past the journal write, the half-done command is rolled back
          EXPECT_TRUE(code == 86 &&
                      catalogue::reprendre(dossier) ==
                          (k > 1 ? catalogue::Reprise::Annulee : catalogue::Reprise::Rien) &&
                      (etat(dossier) == depart || etat(dossier) == apres))
              << "arret a l'ecriture " << k << ", " << code;
      }
  }

  // Three rounds of commands, undone step by step, give the start-up folder.
  remettre(dossier, depart);
  ouvrir(v, dossier, 1);
  catalogue::Ecrivain ecrivain(v);
  int faites = 0;
  for (qsizetype i = 0; i < 3 * kCommandes.size(); ++i) {
    ouvrir(v, dossier, qMin(kCommandes[i % kCommandes.size()].position, v.nbFiches));
    faites += lancer(i % kCommandes.size(), ecrivain, v).fait();
  }
  ASSERT_GE(faites, 20);
  while (!ecrivain.aAnnuler().isEmpty())
    ASSERT_TRUE(ecrivain.annuler().fait()) << faites--;
  EXPECT_EQ(etat(dossier), depart);
}

// A failed backup is asked about once and stops the change unless the user goes on;
// undo never writes over a change made since; rotation keeps the newest ten.
TEST_F(Ecrivain, SauvegardesEtAnnulationRefusee) {
  ouvrir(v, dossier, 1);
  catalogue::Ecrivain ecrivain(v);
  ecrireBrut(dossier + '/' + catalogue::kSauvegardes, "un fichier, pas un dossier");
  const Etat bloque = etat(dossier);
  QStringList dits;
  ecrivain.sauvegardeImpossible = [&](const QString &message) { return dits << message, dits.size() > 1; };
  EXPECT_TRUE(lancer(7, ecrivain, v).etat == Resultat::Refuse && etat(dossier) == bloque);
  ASSERT_TRUE(lancer(7, ecrivain, v).fait() && lancer(6, ecrivain, v).fait());
  EXPECT_TRUE(dits.size() == 2 &&
              dits[0].startsWith("La sauvegarde du catalogue n'a pas pu être faite dans le dossier :"));

  // dvd.ini changed in place by another program: neither step is undone.
  Etat change = etat(dossier);
  change["dvd.ini"][0] = '2';
  remettre(dossier, change);
  const Resultat refuse = ecrivain.annuler();
  EXPECT_TRUE(refuse.etat == Resultat::Refuse &&
              refuse.message.startsWith("« suppression de « Casino » » ne peut pas être annulé : les fichiers"));
  EXPECT_TRUE(etat(dossier) == change && ecrivain.aAnnuler().isEmpty());

  remettre(dossier, depart);
  const QDateTime t0(QDate(2020, 1, 1), QTime(10, 0));
  for (int i = 0; i < 12; ++i)
    ASSERT_FALSE(catalogue::sauvegarder(dossier, 10, t0.addDays(i)).isEmpty());
  const QList<catalogue::Sauvegarde> liste = catalogue::sauvegardes(dossier);
  ASSERT_TRUE(liste.size() == 10 && liste.first().date == t0.addDays(11) && liste.last().date == t0.addDays(2));

  // A restore first saves the files it replaces (a stray history included)
  // and is undone like any command.
  ouvrir(v, dossier, 3);
  ASSERT_TRUE(lancer(6, ecrivain, v).fait());
  ecrireBrut(dossier + "/historique/9999999999999.hst", "en trop");
  const Etat avant = etat(dossier);
  ASSERT_TRUE(ecrivain.restaurer(liste.first()).fait());
  EXPECT_TRUE(etat(dossier) == depart && etat(catalogue::sauvegardes(dossier).first().chemin) == avant);
  EXPECT_EQ(ecrivain.aAnnuler(), "restauration de la sauvegarde du 12/01/2020 10:00:00");
  ASSERT_TRUE(ecrivain.annuler().fait());
  EXPECT_EQ(etat(dossier), avant);
}

// The first backup, copied ahead while nothing changes: published at the first
// change, made again when another program changed a file after the copy, and
// removed when the run changes nothing.
TEST_F(Ecrivain, SauvegardeCopieeDAvance) {
  const QDir racine(dossier + '/' + catalogue::kSauvegardes);
  for (bool autreProgramme : {false, true}) {
    remettre(dossier, depart);
    ouvrir(v, dossier, 1);
    catalogue::Ecrivain ecrivain(v);
    ecrivain.preparerSauvegarde();
    QThread::msleep(300); // the copy is over: what follows comes after it
    Etat avant = depart;
    if (autreProgramme) {
      avant["dvd.lst"][0] = '9';
      ecrireBrut(dossier + "/dvd.lst", avant["dvd.lst"]);
    }
    ASSERT_TRUE(lancer(7, ecrivain, v).fait());
    const QList<catalogue::Sauvegarde> liste = catalogue::sauvegardes(dossier);
    EXPECT_TRUE(liste.size() == 1 && etat(liste.first().chemin) == avant) << autreProgramme;
    EXPECT_EQ(racine.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 1);
  }
  remettre(dossier, depart);
  ouvrir(v, dossier, 1);
  catalogue::Ecrivain(v).preparerSauvegarde();
  EXPECT_TRUE(racine.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

// A journal cut, damaged or naming a file outside is never written back; a bar
// code that is no file name names no history (the card is still saved).
TEST_F(Ecrivain, JournalOuCodeBarreHostileNEcritRien) {
  ecrireBrut(tmp.filePath("a/b/dehors"), "dehors");
  catalogue::Image image;
  image.fichiers = {{"dvd.ini", 3, {{0, "abc"}}}, {"../dehors", -1, {}}};
  const QByteArray journal = image.journal();
  for (const QByteArray &mauvais :
       {journal.left(journal.size() - 1), QByteArray(journal).replace(30, 1, "#"), journal}) {
    ecrireBrut(dossier + '/' + catalogue::kJournal, mauvais);
    EXPECT_EQ(catalogue::reprendre(dossier), catalogue::Reprise::Rien);
    EXPECT_EQ(etat(dossier), depart);
  }

  for (const QString &ean : QStringList{"../../../x", "..", "a\\b", "c:d", "e\tf"}) {
    ouvrir(v, dossier, 1);
    v.tabIndex[1].cle = ajuster(ean, 13) + v.tabIndex[1].cle.mid(13);
    catalogue::Ecrivain e(v);
    const Resultat r = e.reintegrer(avec(v.ficheCourante, {{Champ::preter, "Non"}}), {"Martin", "1", "2"}, {});
    EXPECT_TRUE(r.fait() && r.message.startsWith("Le DVD est réintégré, mais")) << ean.toStdString();
  }
  EXPECT_TRUE(QDir(dossier + "/historique").entryList(QDir::Files) == QStringList{"1000000000002.hst"} &&
              QDir(tmp.filePath("a")).entryList(QDir::Files).isEmpty() &&
              QFileInfo::exists(tmp.filePath("a/b/dehors")));
}
