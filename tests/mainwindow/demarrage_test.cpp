#include "support/fenetre.h"
#include "mainwindow/dossier.h"

TEST(Demarrage, AfficherMontreChaqueChampEtLEtatDuPret) {
  FenetreTest t;
  // The first one lent, with a language not in the list's items.
  Filmorel &f = t.ouvrir(
      {catalogue::fiche("1111111111111", "  Alien   ",
                        {{Champ::preter, "Oui"}, {Champ::datepret, "03/04/2005"}, {Champ::nom, "Martin"},
                         {Champ::format, " 4:3"}, {Champ::langue, "Klingon"}, {Champ::zone, "9"}}),
       catalogue::fiche("2222222222222", "Brazil")});

  // Leading blanks kept, trailing ones dropped; format trimmed both sides. A
  // value outside a drop-down list does not stop the display half-way.
  EXPECT_EQ(QStringList({f.titre->text(), f.format->text(), f.preter->text(), f.langue->texte(), f.zone->texte(),
                         f.datepret->text(), f.nom->currentText()}),
            QStringList({"  Alien", "4:3", "Oui", "Klingon", "9", "03/04/2005", "Martin"}));

  f.VScroll1->setValue(2);
  EXPECT_EQ(f.titre->text() + "|" + f.langue->texte() + "|" + f.datepret->text(), "Brazil|Fr/Ang|");

  // The unknown value survives an edit and a save untouched.
  f.VScroll1->setValue(1);
  f.modification();
  f.validation();
  EXPECT_EQ(t.lue(1).get(Champ::langue).trimmed() + t.lue(1).get(Champ::zone).trimmed(), "Klingon9");
}

TEST(Demarrage, FermetureDemandeConfirmationSaufPendantUneSaisie) {
  FenetreTest t;
  Filmorel &f = t.ouvrir(catalogue::numerotees(3));
  QSignalSpy fin(&f, &Filmorel::programmeTermine);

  const QString quitter = "Etes-vous sûr de vouloir Quitter ?";
  t.question(Dialogues::Non, quitter);
  f.close();
  EXPECT_TRUE(f.isVisible() && fin.count() == 0);

  t.question(Dialogues::Oui, quitter);
  f.close();
  EXPECT_TRUE(!f.isVisible() && fin.count() == 1);
}

TEST(Demarrage, DvdIniIntrouvableDemandeLeDossierJusquAAbandon) {
  // Started in an empty folder, the user points at a catalogue elsewhere.
  FenetreTest ailleurs;
  catalogue::ecrire(ailleurs.dossier.path(), catalogue::numerotees(2));
  FenetreTest t;
  const QString message = "Fichier d'initialisation non trouvé !\rVeuillez préciser le chemin d'accès dans la "
                          "fenêtre suivante...";
  t.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE").choisirFichier(t.chemin("autre.ini")); // no dvd.ini: again
  t.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE").choisirFichier(ailleurs.chemin("dvd.ini"));
  t.demarrer();
  EXPECT_EQ(t.f->v().cheminAppli + QString::number(t.f->v().nbFiches), ailleurs.dossier.path() + "/2");

  // Cancelling the dialog ends the program instead of asking forever.
  FenetreTest vide;
  vide.dlg.repondre(Dialogues::OK, message, 48, "MESSAGE").choisirFichier(QString());
  vide.demarrer();
  EXPECT_TRUE(vide.f->termine());
}

// A count or an index that cannot be trusted is never written over: the
// catalogue opens read-only saying what is wrong, and a repair is offered
// after a copy of the three files.
TEST(Demarrage, UnCompteOuUnIndexDouteuxOuvreEnLectureSeuleEtProposeUneReparation) {
  struct Cas {
    const char *nom;
    std::function<void(FenetreTest &)> abimer;
    const char *dit;
    int repare;
  };
  const QList<Cas> cas = {
      {"compte trop grand",
       [](FenetreTest &t) {
         Reglages r = catalogue::reglagesDeBase();
         r.nbFiches = 7;
         reglages::sauver(t.chemin("dvd.ini"), r);
       },
       "annonce 7 fiches", 3},
      {"compte illisible",
       [](FenetreTest &t) { catalogue::ecrireOctets(t.chemin("dvd.ini"), "x" + t.octets("dvd.ini").mid(1)); },
       "illisible alors que dvd.lst contient 3", 3},
      {"deux entrees sur une fiche", [](FenetreTest &t) { catalogue::repointer(t.dossier.path(), 2, 1); },
       "L'entrée 2 de l'index", 1},
  };
  for (const Cas &c : cas)
    for (int reponse : {Dialogues::Non, Dialogues::Oui}) {
      SCOPED_TRACE(c.nom);
      FenetreTest t;
      catalogue::ecrire(t.dossier.path(), catalogue::numerotees(3));
      c.abimer(t);
      const QByteArray abime = t.donnees();
      t.dlg.repondre(reponse, {}, 52, "Message");
      if (reponse == Dialogues::Oui)
        t.avis({}, 64);
      t.demarrer(reponse == Dialogues::Non && c.repare == 3 && QString(c.nom) == "compte illisible");
      EXPECT_TRUE(t.dlg.messages.first().texte.contains(c.dit));
      if (reponse == Dialogues::Non) {
        t.avis({});
        t.f->modification();
        EXPECT_TRUE(t.dlg.messages.last().texte.startsWith("Le catalogue est ouvert en lecture seule : "));
        EXPECT_TRUE(t.donnees() == abime && t.f->v().modifEnCours == 0);
        continue;
      }
      EXPECT_EQ(QList<int>({t.f->v().nbFiches, t.ini().nbFiches}), QList<int>({c.repare, c.repare}));
      const QStringList copies = QDir(t.dossier.path()).entryList({"copie-avant-reparation-*"}, QDir::Dirs);
      ASSERT_EQ(copies.size(), 1);
      const QString copie = t.chemin(copies.first()) + '/';
      EXPECT_EQ(catalogue::contenu(copie + "dvd.lst") + '|' + catalogue::contenu(copie + "dvd.idx") + '|' +
                    catalogue::contenu(copie + "dvd.ini"),
                abime);
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
  ASSERT_EQ(t.dlg.messages.size(), 1);
  EXPECT_TRUE(t.dlg.messages[0].texte.contains("lecture seule") && t.dlg.messages[0].texte.contains("dvd.idx"));

  Filmorel &f = *t.f;
  const QList<std::function<void()>> commandes = {[&] { f.modification(); }, [&] { f.supprimer_Click(); },
                                                  [&] { f.pretdvd(); }, [&] { f.SM_Importer_Click(); }};
  for (const auto &commande : commandes) {
    t.avis({});
    commande();
    EXPECT_TRUE(t.dlg.messages.last().texte.startsWith("Le catalogue est ouvert en lecture seule : le fichier"));
    EXPECT_EQ(f.v().modifEnCours + f.v().pretEnCours + f.v().modeCreation, 0);
  }
  EXPECT_EQ(t.dlg.messages.size(), 5);
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
  ASSERT_EQ(t.dlg.messages.size(), 2);
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
    QString argument;               // relative to the current folder
    QStringList courant, maison;    // files there beforehand
    QString ouvert;                 // relative to the scratch root
    QString message;                // the box said, %1 the folder
    QStringList apres;              // what the opened folder holds afterwards
  };
  const QList<Cas> cas = {
      {"new nested folder", "a/b", {}, {}, "courant/a/b", cree, demarre},
      {"other files: the start-up asks", "notes", {"notes/lisez.txt"}, {}, "courant/notes", {}, {"lisez.txt"}},
      {"no argument, catalogue here", {}, {"Dvd.Ini"}, {}, "courant", {}, {"Dvd.Ini"}},
      {"no argument, first run", {}, {"autre.txt"}, {}, "maison/Filmorel", {}, demarre},
      {"no argument, later runs", {}, {}, {"Filmorel/dvd.ini"}, "maison/Filmorel", {}, {"dvd.ini"}},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.quoi);
    QTemporaryDir racine;
    const QDir r(racine.path());
    for (const auto &[sous, fichiers] : {std::pair{"courant", c.courant}, {"maison", c.maison}}) {
      r.mkpath(sous);
      for (const QString &f : fichiers) {
        r.mkpath(QFileInfo(r.filePath(QString(sous) + '/' + f)).path());
        if (!f.endsWith('/'))
          catalogue::ecrireOctets(r.filePath(QString(sous) + '/' + f), "x");
      }
    }
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

  // The starter put into an empty folder opens as an empty catalogue, without asking for a dvd.ini.
  FenetreTest t;
  t.dlg.repondre(Dialogues::OK, cree.arg(QDir::toNativeSeparators(t.dossier.path())), 64, "Message");
  ASSERT_EQ(dossier::preparer(t.dlg, t.dossier.path(), {}, {}, depart), t.dossier.path());
  t.demarrer(true);
  EXPECT_FALSE(t.f->termine());
  EXPECT_EQ(t.dlg.messages.last().texte.left(22), "Base de donnée vierge.");
}

// The backgrounds and the default cover are decoded once and kept, in memory
// and in a cache out of the data folder; a picture changed since (same size,
// another time) is decoded again.
TEST(Demarrage, ImagesDecodeesUneFoisEtRelitesQuandLeFichierChange) {
  FenetreTest t;
  const QDateTime heure = QDateTime::currentDateTime().addSecs(-3600);
  auto peindre = [&](Qt::GlobalColor couleur, int secondes) {
    QImage i(30, 20, QImage::Format_RGB32);
    i.fill(couleur);
    ASSERT_TRUE(i.save(t.chemin("dvd.bmp"), "BMP"));
    QFile f(t.chemin("dvd.bmp"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(heure.addSecs(secondes), QFileDevice::FileModificationTime));
  };
  peindre(Qt::red, 0);
  Filmorel &f = t.ouvrir(catalogue::numerotees(1));
  const QStringList donnees = QDir(t.dossier.path()).entryList(QDir::AllEntries, QDir::Name);
  auto couleur = [&] { return f.fond->image().pixelColor(f.fond->image().rect().center()); };
  EXPECT_EQ(couleur(), QColor(Qt::red));
  peindre(Qt::blue, 1);
  f.fond->chargerFixe(t.chemin("dvd.bmp"));
  EXPECT_EQ(couleur(), QColor(Qt::blue));
  EXPECT_EQ(f.fond->image().size(), f.fond->size());
  EXPECT_EQ(QDir(t.dossier.path()).entryList(QDir::AllEntries, QDir::Name), donnees);
}
