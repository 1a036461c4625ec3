#pragma once
#include "catalogue/ecrivain.h"
#include "catalogue/ouverture.h"
#include "mainwindow/widgets.h"
#include "storage/reglages.h"
#include "storage/variables.h"

#include <QMainWindow>
#include <memory>

class Dialogues;
class FenetreImport;
class Imprimante;
class ListPret;
class QAction;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTreeView;
class QFileSystemModel;
class QLockFile;

// Today in the French short format the files use, whatever the locale.
QString aujourdhui();

// The main window: one catalogue card at a time. Procedures keep the names
// the rest of the program knows them by; several are defined in the folder
// of their subsystem (search/, loans/, listings/, exchange/, about/).
class Filmorel : public QMainWindow {
  Q_OBJECT
public:
  // `dialogues` is not owned; null means the real Qt dialogs.
  explicit Filmorel(Dialogues *dialogues = nullptr, QWidget *parent = nullptr);
  ~Filmorel() override;

  // Runs the start-up. False when the user gave up choosing a data folder:
  // the program must end.
  bool demarrer();
  // True once the program was told to end (quitte, cancelled first card...).
  bool termine() const { return m_termine; }

  Variables &v() { return m_v; }
  // The one writer of the data folder: every change of the files goes there.
  catalogue::Ecrivain &ecrivain() { return m_ecrivain; }
  // Whether a path of the data folder can be written (tests: root writes
  // whatever the permission bits say). Unset: the file system says.
  catalogue::Ecrivable ecrivable;
  // Says why an editing command cannot run; false when it can.
  bool refuserEnLectureSeule();
  Dialogues &dialogues() { return *m_dialogues; }

  // --- storage glue ---
  void lire_idx();
  void lire();
  void memoriser();
  void verif_historic();
  bool lire_ini();
  bool sauver_ini(); // false, with a message, when dvd.ini could not be written
  QString cheminFichier(const QString &nom) const; // a file of the data folder
  Reglages reglagesCourants() const;

  // --- display and browsing ---
  void afficher();
  void vidage();
  void quitte();
  void afficherPosition(int position); // sets the scroll bar (shows the card)
  void majCompteur();
  void chargerJacket(const QString &ean);
  void setProgression(int valeur, int maximum); // shows the progress bar
  void finProgression();

  // --- card entry ---
  void masquer();
  void Demasquer();
  void modification();
  bool validation(); // false when refused
  void valider_Click(); // button valider and F5: validation, then lock `ean`
  bool saisieAcceptee(); // checks what this entry typed or changed
  bool enregistrer(); // false when nothing could be saved
  void annulerSaisie(); // Esc while editing or lending
  bool catalogueComplet(); // true, with a message, when no card can be added
  void afficherBoutonsFiche(bool visibles);

  // --- deletion, lookup lists, covers ---
  void suppression();
  void supprimer_Click();
  void limiterListes(); // each list accepts at most its field's width
  void ajouterALaListe(int n);
  void supprimerDeLaListe(int n);
  void preparerJackets();
  void ouvrirDossier(const QString &dossier); // the cover browser shows this folder
  void Dir1_Change();  // the file list follows the folder list
  void File1_Click();  // shows the picked picture at once
  QString cheminJacketChoisie; // picture picked during this edit, empty if none

  // --- searches ---
  void recherchetitre();
  void recherchedirecte();
  void recherchepret();
  void rechercheEan(); // eansearch changed: at 13 digits, the bar-code search
  void recherche();    // bar-code search of the text of `ean`, offers creation
  bool cleEanAcceptee(); // false when the user declines a wrong check digit
  void SM_Recherche_Film_Click();
  void SM_Recherche_Pret_Click();

  // --- loans ---
  void pretdvd();
  void retourdvd();
  void voirhistoric();

  // --- listings ---
  void SM_Afficher_Pret_Click();
  void SM_Afficher_Films_Click();
  void SM_Afficher_FilmTerme_Click();
  void SM_Afficher_FilmPretPersonne_Click();
  void SM_Afficher_FilmTriGenre_Click();
  void SM_Afficher_FilmTriEditeur_Click();
  void SM_Afficher_FilmTriRealisateur_Click();
  void SM_Afficher_FilmTriActeur_Click();
  void SM_Afficher_AchatFilm_Click();
  void voirliste();
  void voirpret();
  void voirgenre(const QString &genre);
  void voirediteur(const QString &editeur);
  void voirfilmterme(const QString &terme);
  void voiracteur(const QString &acteur);
  void voirrealisateur(const QString &realisateur);
  void voirfilmachat(); // the buyer in acheteurChoisi
  void voirfilm(const QString &emprunteur);
  // The list window, created on first use; null while none is loaded.
  ListPret *fenetreListe();
  ListPret *listpret = nullptr;
  // Printing of lists (listings/impressionliste.cpp): the printer, the real
  // one unless a test gave another.
  Imprimante &imprimante();
  void setImprimante(std::shared_ptr<Imprimante> imprimante) { m_imprimante = std::move(imprimante); }

  // --- exchange ---
  void SM_Exporter_Liste_Click();
  void SM_Exporter_Click();
  void SM_Importer_Click();
  // Run when the selection dialog closes (not cancelled): read its ticks.
  void exporter();
  void importer();
  FenetreImport *fenImport = nullptr; // the selection dialog while it is open

  // --- undo and backups (mainwindow/annulation.cpp) ---
  void SM_Annuler_Click();   // Ctrl+Z while browsing
  void SM_Restaurer_Click();
  void majAnnuler();         // the undo entry names what it will undo
  void viderAffichage();     // no card left to show

  // --- about ---
  void SM_APropos_Click();

  // Secondary windows are not modal: the main window is disabled while one
  // is open and gets the focus back when it closes.
  void ouvrirFenetreSecondaire(QWidget *fenetre);
  void fermetureFenetreSecondaire();

  // Controls, by their names.
  QWidget *conteneur;
  ImageBox *fond;          // the central widget, drawing dvd.bmp
  ImageBox *fondConteneur; // the panel itself, drawing dvd1.bmp
  QLineEdit *ean;
  ZoneTexte *titre;
  ListeDeroulante *zone;
  QLineEdit *annee;
  QLineEdit *duree;
  ListeDeroulante *face;
  ListeDeroulante *langue;
  ComboListe *Genre;
  ListeDeroulante *soustitre;
  ComboListe *editeur;
  QLineEdit *realisateur;
  ListeDeroulante *bonus;
  ComboListe *achat;
  QLineEdit *dateachat;
  QLineEdit *format;
  ListeDeroulante *couleur;
  ComboListe *Son;
  ZoneTexte *acteurs;
  ZoneTexte *resumer;
  QLineEdit *preter;
  QLineEdit *datepret;
  ComboListe *nom;
  QLabel *cpt;
  ImageBox *jacket;
  QPushButton *ajou[5];
  QPushButton *sup[5];
  QTreeView *Dir1;
  QListView *File1;
  QFileSystemModel *modeleDossiers = nullptr;
  QFileSystemModel *modeleFichiers = nullptr;
  QLabel *Label16, *Label17, *Label25, *Label26, *Label23, *LabelEan;
  QLabel *formatjacket;
  QWidget *raccourcis; // shortcuts of the cover browser
  QPushButton *dossierDonnees, *dossierPersonnel;
  QScrollBar *VScroll1;
  QLabel *Compteur;
  QLineEdit *eansearch;
  QPushButton *modifier, *supprimer, *historic, *valider, *pret, *retour, *quitter;
  QProgressBar *Progress;
  QMenu *M_Fichier, *M_RechercheDirecte, *M_RechercherListe, *M_Afficher, *M_A_Propos;
  QAction *SM_Exporter_Liste, *SM_Exporter, *SM_Importer, *SM_Annuler, *SM_Restaurer, *SM_Quitter;
  QAction *SM_Recherche_Film, *SM_Recherche_Pret;
  QAction *SM_Afficher_FilmTerme, *SM_Afficher_FilmPretPersonne, *SM_Afficher_FilmTriGenre,
      *SM_Afficher_FilmTriEditeur, *SM_Afficher_FilmTriRealisateur, *SM_Afficher_FilmTriActeur,
      *SM_Afficher_AchatFilm;
  QAction *SM_Afficher_Pret, *SM_Afficher_Films;
  QAction *SM_APropos;

  // The list combo box and count global of lookup list n (ajou/sup order:
  // 0 publishers, 1 buyers, 2 sound formats, 3 borrowers, 4 genres).
  ComboListe *comboListe(int n) const;
  int &compteListe(int n);

  // The field controls in record order (jacket excluded).
  QList<QWidget *> champs() const;
  QString texteChamp(Champ c) const;
  void setTexteChamp(Champ c, const QString &texte);
  // Field c of the card in the buffer as the window shows it.
  QString texteLu(Champ c) const;

signals:
  void programmeTermine();

protected:
  void closeEvent(QCloseEvent *e) override;
  bool eventFilter(QObject *o, QEvent *e) override;

private:
  void construire();
  void construireMenus();
  void restaurerGeometrie();
  void sauverGeometrie();
  void VScroll1_Change(int valeur);
  void terminer();
  void Form_KeyUp(int touche, Qt::KeyboardModifiers modificateurs);
  void majCpt(ZoneTexte *zone);
  void montrerCatalogueRelu(const catalogue::Resultat &r);

  bool localiserIni();
  bool verrouiller();
  void verifierOuverture();

  Variables m_v;
  catalogue::Ecrivain m_ecrivain{m_v};
  std::unique_ptr<QLockFile> m_verrou;
  std::unique_ptr<Dialogues> m_dialoguesPropres;
  Dialogues *m_dialogues;
  bool m_termine = false;
  bool m_fermetureAcceptee = false;
  QWidget *m_fenetreSecondaire = nullptr;
  std::shared_ptr<Imprimante> m_imprimante;
};
