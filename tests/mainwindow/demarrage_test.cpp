#include "support/fenetre.h"
#include "mainwindow/dossier.h"

TEST(Demarrage, DvdIniIntrouvableDemandeLeDossier) {
  // Started in an empty folder, the user points at a catalogue elsewhere.
  FenetreTest ailleurs;
  catalogue::ecrire(ailleurs.dossier.path(), catalogue::numerotees(2));
  FenetreTest t;
  t.dlg.repondre(Dialogues::OK, "Fichier d'initialisation non trouvé !\rVeuillez préciser le chemin d'accès dans la "
                 "fenêtre suivante...", 48, "MESSAGE").choisirFichier(ailleurs.chemin("dvd.ini"));
  t.demarrer();
  EXPECT_EQ(t.f->v().cheminAppli + QString::number(t.f->v().nbFiches), ailleurs.dossier.path() + "/2");
}

// A count or an index that cannot be trusted is never written over: the
// catalogue opens read-only saying what is wrong, and a repair is offered
// after a copy of the three files.
TEST(Demarrage, UnCompteOuUnIndexDouteuxOuvreEnLectureSeuleEtProposeUneReparation) {
  // What is damaged, what the box says, how many cards the repair finds.
  const QList<std::tuple<const char *, std::function<void(FenetreTest &)>, const char *, int>> cas = {
      {"compte illisible",
       [](FenetreTest &t) { catalogue::ecrireOctets(t.chemin("dvd.ini"), "x" + t.octets("dvd.ini").mid(1)); },
       "illisible alors que dvd.lst contient 3", 3},
      {"deux entrees sur une fiche", [](FenetreTest &t) { catalogue::repointer(t.dossier.path(), 2, 1); },
       "L'entrée 2 de l'index", 1},
  };
  for (const auto &[nom, abimer, dit, repare] : cas)
    for (int reponse : {Dialogues::Non, Dialogues::Oui}) {
      SCOPED_TRACE(nom);
      FenetreTest t;
      catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
      abimer(t);
      const QByteArray abime = t.donnees();
      t.dlg.repondre(reponse, {}, 52, "Message");
      if (reponse == Dialogues::Oui)
        t.avis({}, 64);
      t.demarrer(reponse == Dialogues::Non && repare == 3);
      EXPECT_TRUE(t.dlg.messages.first().texte.contains(dit));
      if (reponse == Dialogues::Non) {
        t.avis({});
        t.f->modification();
        EXPECT_TRUE(t.dlg.messages.last().texte.startsWith("Le catalogue est ouvert en lecture seule : "));
        EXPECT_TRUE(t.donnees() == abime && t.f->v().modifEnCours == 0);
        continue;
      }
      EXPECT_EQ(QList<int>({t.f->v().nbFiches, t.ini().nbFiches}), QList<int>({repare, repare}));
      const QStringList copies = QDir(t.dossier.path()).entryList({"copie-avant-reparation-*"}, QDir::Dirs);
      ASSERT_EQ(copies.size(), 1);
      EXPECT_EQ(t.donnees(copies.first() + '/'), abime);
    }
}

// A folder, or one data file, that cannot be written is said once; every
// editing command then says why it cannot run, before any typing.
TEST(Demarrage, UnDossierEnLectureSeuleLeDitUneFoisEtRefuseLesCommandesDEdition) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(2));
  const QByteArray avant = t.donnees();
  t.ecrivable = [](const QString &chemin) { return !chemin.endsWith("dvd.idx"); };
  t.avis({});
  t.demarrer();
  EXPECT_TRUE(t.dlg.messages.value(0).texte.contains("lecture seule") && t.dlg.messages[0].texte.contains("dvd.idx"));

  Filmorel &f = *t.f;
  for (const auto commande : {&Filmorel::modification, &Filmorel::supprimer_Click}) {
    t.avis({});
    (f.*commande)();
    EXPECT_TRUE(t.dlg.messages.last().texte.startsWith("Le catalogue est ouvert en lecture seule : le fichier"));
    EXPECT_EQ(f.v().modifEnCours + f.v().pretEnCours + f.v().modeCreation, 0);
  }
  EXPECT_EQ(t.donnees(), avant);
}

// Start-up: the lock first, then a command cut short is rolled back and said;
// a lock nobody holds any more is taken over saying so, naming the file.
TEST(Demarrage, LeVerrouPuisLaRepriseDUneCommandeInterrompue) {
  FenetreTest t;
  catalogue::ecrire(t.dossier.path(), catalogue::numerotees(2));
  const QByteArray avant = t.donnees();
  // A journal of dvd.ini as it was; the file was being rewritten.
  catalogue::Image image;
  image.fichiers = {{"dvd.ini", t.octets("dvd.ini").size(), {{0, t.octets("dvd.ini")}}}};
  catalogue::ecrireOctets(t.chemin(catalogue::kJournal), image.journal());
  catalogue::ecrireOctets(t.chemin("dvd.ini"), "0\r\n");
  catalogue::ecrireOctets(t.chemin("filmorel.lock"), "");
  t.avis({}, 64);
  t.avis({});
  t.demarrer();
  EXPECT_EQ(t.dlg.messages[0].texte, QString("Le fichier de verrouillage %1 est vide ou illisible : il est repris.")
                                         .arg(QDir::toNativeSeparators(t.chemin("filmorel.lock"))));
  EXPECT_TRUE(t.dlg.messages[1].texte.startsWith("Filmorel a été interrompu pendant une modification"));
  EXPECT_TRUE(t.donnees() == avant && !QFile::exists(t.chemin(catalogue::kJournal)) && t.f->v().nbFiches == 2);

  // A lock of another computer: taken over only when the user says so.
  for (int reponse : {Dialogues::Non, Dialogues::Oui}) {
    FenetreTest autre;
    catalogue::ecrire(autre.dossier.path(), catalogue::numerotees(1));
    catalogue::ecrireOctets(autre.chemin("filmorel.lock"), "1\nfilmorel\nportable-de-marie\n");
    autre.dlg.repondre(reponse, {}, 52, "Message");
    autre.demarrer();
    EXPECT_TRUE(autre.dlg.messages[0].texte.contains("« portable-de-marie »") &&
                autre.dlg.messages[0].texte.contains("filmorel.lock"));
    EXPECT_EQ(autre.f->termine(), reponse == Dialogues::Non);
  }
}

TEST(Demarrage, DossierOuvertEtCatalogueDeDepart) {
  const QString depart = QStringLiteral(FILMOREL_SOURCE_DIR "/share/catalogue");
  const QStringList demarre = {"dvd.bmp", "dvd.ini", "dvd1.bmp", "export", "historique", "jackets",
                               "jackets/jacket.bmp"};
  const QString cree = "Un nouveau catalogue, vide, a été créé dans le dossier :\r%1";
  const QString impossible = "Impossible de créer un catalogue dans le dossier :\r%1\r\rVérifiez que ce chemin est "
                             "un dossier accessible en écriture.";
  struct Cas {
    const char *quoi;
    QString argument;  // relative to the current folder "courant"
    QStringList avant; // files beforehand, relative to the scratch root (home is "maison")
    QString ouvert;    // relative to the scratch root
    QString message;   // the box said, %1 the folder
    QStringList apres; // what the opened folder holds afterwards
  };
  const QList<Cas> cas = {
      {"new nested folder", "a/b", {}, "courant/a/b", cree, demarre},
      {"other files: the start-up asks", "notes", {"courant/notes/lisez.txt"}, "courant/notes", {}, {"lisez.txt"}},
      {"no argument, catalogue here", {}, {"courant/Dvd.Ini"}, "courant", {}, {"Dvd.Ini"}},
      {"no argument, first run", {}, {"courant/autre.txt"}, "maison/Filmorel", {}, demarre},
      {"no argument, later runs", {}, {"maison/Filmorel/dvd.ini"}, "maison/Filmorel", {}, {"dvd.ini"}},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.quoi);
    QTemporaryDir racine;
    const QDir r(racine.path());
    r.mkpath("courant"), r.mkpath("maison");
    for (const QString &f : c.avant)
      r.mkpath(QFileInfo(r.filePath(f)).path()), catalogue::ecrireOctets(r.filePath(f), "x");
    const QString attendu = r.filePath(c.ouvert);
    DialoguesScripts dlg;
    if (!c.message.isEmpty())
      dlg.repondre(Dialogues::OK, c.message.arg(QDir::toNativeSeparators(attendu)), 64, "Message");
    EXPECT_EQ(dossier::preparer(dlg, c.argument, r.filePath("courant"), r.filePath("maison"), depart), attendu);
    EXPECT_EQ(catalogue::arborescence(attendu).join(u' '), c.apres.join(u' '));
  }

  // A copy that fails half-way leaves nothing behind: no half catalogue opens later.
  QTemporaryDir racine;
  const QDir r(racine.path());
  r.mkpath("depart/jackets");
  catalogue::ecrireOctets(r.filePath("depart/dvd.ini"), "0");
  QFile::link(r.filePath("absent"), r.filePath("depart/jackets/perdu.bmp"));
  DialoguesScripts dlg;
  dlg.repondre(Dialogues::OK, impossible.arg(QDir::toNativeSeparators(r.filePath("neuf/a"))), 48, "Message");
  EXPECT_EQ(dossier::preparer(dlg, "neuf/a", r.path(), r.path(), r.filePath("depart")), QString());
  EXPECT_FALSE(QFileInfo::exists(r.filePath("neuf")));
}

// A value outside a drop-down list is shown, does not leave the previous
// card's fields on screen, and survives an edit untouched.
TEST(Demarrage, UneValeurHorsDeLaListeEstMontreeEtGardee) {
  FenetreTest t;
  Filmorel &f = t.ouvrir({catalogue::fiche("1111111111111", "Alien", {{Champ::langue, "Klingon"}, {Champ::zone, "9"}}),
                          catalogue::fiche("2222222222222", "Brazil")});
  EXPECT_EQ(f.langue->texte() + f.zone->texte(), "Klingon9");
  f.VScroll1->setValue(2);
  EXPECT_EQ(f.titre->text() + "|" + f.langue->texte(), "Brazil|Fr/Ang");
  f.VScroll1->setValue(1);
  f.modification();
  f.validation();
  EXPECT_EQ(t.lue(1).get(Champ::langue).trimmed() + t.lue(1).get(Champ::zone).trimmed(), "Klingon9");
}
