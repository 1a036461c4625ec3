#include "mainwindow/filmorel.h"

#include "mainwindow/apercuclavier.h"
#include "platform/dialogues.h"
#include "storage/fichiers.h"
#include "storage/historique.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QLockFile>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStyle>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
const QStringList kZones = {"1", "2", "3", "4", "5", "6", "2-6", "Toutes"};
const QStringList kFaces = {"1", "2"};
const QStringList kLangues = {"Français", "Anglais", "Fr/Ang", "Fr/autre", "Ang/Autre", "Muet", "Autre"};
const QStringList kSousTitres = {"Français", "Anglais", "Fr/Ang", "Fr/autre", "Ang/Autre", "Aucun", "Autre"};
const QStringList kOuiNon = {"Oui", "Non"};

// Shown when a data folder has no background pictures: the labels outside
// the card are white, those on the card are dark.
const QColor kFondSecours(0x2b, 0x3a, 0x4f);
const QColor kCarteSecours(0xe6, 0xe3, 0xdc);

QLabel *etiquette(QWidget *parent, const QString &texte, const char *nom = nullptr) {
  auto *l = new QLabel(texte, parent);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  if (nom)
    l->setObjectName(QString::fromLatin1(nom));
  return l;
}

// Our pictures are PNG: naming the format spares probing every image plugin.
QIcon icone(const char *chemin) { return QIcon(QPixmap(QString::fromLatin1(chemin), "PNG")); }

template <class W> W *nommer(W *w, const char *nom) {
  w->setObjectName(QString::fromLatin1(nom));
  return w;
}

// Widgets shown only in some states keep their place while hidden, so the
// window does not jump when an edit starts.
void garderPlace(QWidget *w) {
  QSizePolicy p = w->sizePolicy();
  p.setRetainSizeWhenHidden(true);
  w->setSizePolicy(p);
}

// A box sized for n characters of its own font, so it follows the desktop's scale.
template <class W> W *caracteres(W *w, int n) {
  w->setFixedWidth(w->fontMetrics().horizontalAdvance(QString(n, u'0')) + 24);
  return w;
}

QHBoxLayout *rangee(std::initializer_list<QWidget *> widgets, bool finir = true) {
  auto *h = new QHBoxLayout;
  for (QWidget *w : widgets)
    h->addWidget(w);
  if (finir)
    h->addStretch(1);
  return h;
}
} // namespace

QString aujourdhui() { return QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")); }

Filmorel::Filmorel(Dialogues *dialogues, QWidget *parent) : QMainWindow(parent) {
  if (dialogues) {
    m_dialogues = dialogues;
  } else {
    m_dialoguesPropres = std::make_unique<DialoguesQt>(this);
    m_dialogues = m_dialoguesPropres.get();
  }
  setObjectName(QStringLiteral("Filmorel"));
  setWindowTitle(QStringLiteral("FILMOREL"));
  setWindowIcon(icone(":/filmorel.png"));
  construire();
  construireMenus();
  cadresEnCache(this);
  restaurerGeometrie();
  limiterListes();
  qApp->installEventFilter(this);
  new ApercuClavier(this, [this](int touche, Qt::KeyboardModifiers m) { Form_KeyUp(touche, m); });
  // How many backups are kept is the user's choice, not the catalogue's.
  m_ecrivain.sauvegardesGardees = QSettings(QStringLiteral("Filmorel"), QStringLiteral("Filmorel"))
                                      .value(QStringLiteral("sauvegardes/nombre"), catalogue::kSauvegardesGardees)
                                      .toInt();
  m_ecrivain.sauvegardeImpossible = [this](const QString &message) {
    m_v.reponse = m_dialogues->message(message, Dialogues::BoutonsOuiNon + Dialogues::IconeExclamation,
                                       QStringLiteral("Message"));
    return m_v.reponse == Dialogues::Oui;
  };
}

Filmorel::~Filmorel() { qApp->removeEventFilter(this); }

void Filmorel::construire() {
  // The window's background picture is the central widget itself.
  fond = nommer(new ImageBox(this), "fond");
  fond->setSecours(kFondSecours);
  setCentralWidget(fond);
  QWidget *central = fond;

  QPalette clair = palette();
  clair.setColor(QPalette::WindowText, Qt::white);
  auto blanc = [&clair](QLabel *l) {
    l->setPalette(clair);
    return l;
  };

  // Search line, outside the card panel.
  Label23 = blanc(etiquette(central, QStringLiteral("RECHERCHE :"), "Label23"));
  eansearch = caracteres(nommer(new QLineEdit(central), "eansearch"), 14);
  eansearch->setToolTip(QStringLiteral("Saisie de l'EAN"));
  eansearch->setMaxLength(13);
  eansearch->setValidator(new Chiffres(eansearch));
  LabelEan = blanc(etiquette(central, QStringLiteral("E.A.N :"), "Label24"));
  ean = caracteres(nommer(new QLineEdit(central), "ean"), 14);
  ean->setToolTip(QStringLiteral("Genecod du DVD"));
  ean->setMaxLength(13);
  // Only digits pass; anything else is dropped where it is typed.
  ean->setValidator(new Chiffres(ean));
  Progress = nommer(new QProgressBar(central), "Progress");
  Progress->setVisible(false);
  garderPlace(Progress);
  Compteur = blanc(nommer(new QLabel(central), "Compteur"));
  Compteur->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Compteur->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
  // Sized for the longest count: a new position does not lay the window out again.
  Compteur->setText(QStringLiteral("0000 / 0000"));
  Compteur->setFixedSize(Compteur->sizeHint());
  Compteur->clear();
  garderPlace(Compteur);

  // The card panel: enabled only while a card is edited or lent. It draws
  // its own background picture.
  auto *panneau = nommer(new ImageBox(central), "conteneur");
  panneau->setSecours(kCarteSecours);
  conteneur = fondConteneur = panneau;
  {
    // Keep the card readable while the panel is disabled.
    QPalette p = conteneur->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
      p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Base));
    p.setColor(QPalette::Disabled, QPalette::Button, p.color(QPalette::Active, QPalette::Button));
    conteneur->setPalette(p);
  }
  QWidget *c = conteneur;

  titre = nommer(new ZoneTexte(c), "titre");
  titre->setFont(QFont(QStringLiteral("Bookman Old Style"), 12, QFont::Bold));
  titre->setToolTip(QStringLiteral("Titre du film"));
  titre->setMinimumHeight(titre->fontMetrics().lineSpacing() * 2 + 12);
  zone = nommer(new ListeDeroulante(kZones, c), "zone");
  zone->setToolTip(QStringLiteral("Zone géographique du DVD"));
  annee = caracteres(nommer(new QLineEdit(c), "annee"), 4);
  annee->setToolTip(QStringLiteral("Année de sortie en salle"));
  duree = caracteres(nommer(new QLineEdit(c), "duree"), 3);
  duree->setToolTip(QStringLiteral("Durée du film"));
  face = nommer(new ListeDeroulante(kFaces, c), "face");
  face->setToolTip(QStringLiteral("Nombre de face du film"));
  langue = nommer(new ListeDeroulante(kLangues, c), "langue");
  langue->setToolTip(QStringLiteral("Langue principale du film"));
  soustitre = nommer(new ListeDeroulante(kSousTitres, c), "soustitre");
  soustitre->setToolTip(QStringLiteral("Sous-Titrage principal du film"));
  Genre = nommer(new ComboListe(true, c), "Genre");
  Genre->setToolTip(QStringLiteral("Genre du film"));
  bonus = nommer(new ListeDeroulante(kOuiNon, c), "bonus");
  bonus->setToolTip(QStringLiteral("Indication de bonus sur le DVD"));
  editeur = nommer(new ComboListe(true, c), "editeur");
  editeur->setToolTip(QStringLiteral("Nom de l'Editeur du DVD"));
  couleur = nommer(new ListeDeroulante(kOuiNon, c), "couleur");
  couleur->setToolTip(QStringLiteral("Indication de la colorimétrie"));
  realisateur = nommer(new QLineEdit(c), "realisateur");
  realisateur->setToolTip(QStringLiteral("Nom du réalisateur du film"));
  format = caracteres(nommer(new QLineEdit(c), "format"), 11);
  format->setToolTip(QStringLiteral("Format vidéo du film"));
  Son = nommer(new ComboListe(true, c), "Son");
  Son->setToolTip(QStringLiteral("Format de la piste sonore principale"));
  achat = nommer(new ComboListe(false, c), "achat");
  achat->setToolTip(QStringLiteral("Nom de l'acheteur"));
  dateachat = caracteres(nommer(new QLineEdit(c), "dateachat"), 10);
  dateachat->setToolTip(QStringLiteral("Date d'achat du DVD"));
  acteurs = nommer(new ZoneTexte(c), "acteurs");
  acteurs->setToolTip(QStringLiteral("Nom(s) des acteurs"));
  resumer = nommer(new ZoneTexte(c), "resumer");
  resumer->setToolTip(QStringLiteral("Résumé du film"));
  for (ZoneTexte *z : {acteurs, resumer})
    z->setMinimumHeight(z->fontMetrics().lineSpacing() * 2 + 12);
  cpt = nommer(new QLabel(c), "cpt");
  cpt->setVisible(false);
  preter = caracteres(nommer(new QLineEdit(c), "preter"), 3);
  preter->setToolTip(QStringLiteral("Indication du prêt du DVD"));
  datepret = caracteres(nommer(new QLineEdit(c), "datepret"), 10);
  datepret->setToolTip(QStringLiteral("Date de prêt du DVD"));
  nom = nommer(new ComboListe(true, c), "nom");
  nom->setToolTip(QStringLiteral("Nom de l'emprunteur"));
  for (QComboBox *b : std::initializer_list<QComboBox *>{Genre, editeur, Son, achat, nom})
    b->setMinimumContentsLength(14);

  jacket = nommer(new ImageBox(c), "jacket");
  jacket->setProportions(true);
  jacket->setMinimumSize(140, 200);
  jacket->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  jacket->setToolTip(QStringLiteral("Pour un accès direct à une Jacket sans avoir à la sélectionner, "
                                    "enregistrer la dans le dossier avec comme nom celui de son code barre "
                                    "au format JPeg"));

  // Lookup-list buttons, next to their combo box.
  const char *tipsAjout[5] = {"Ajouter cet éditeur à la liste", "Ajouter cet acheteur à la liste",
                              "Ajouter ce format sonore à la liste", "Ajouter ce nom à la liste",
                              "Ajouter ce genre à la liste"};
  const char *tipsSup[5] = {"Supprimer cet éditeur de la liste", "Supprimer cet acheteur de la liste",
                            "Supprimer ce format sonore de la liste", "Supprimer ce nom de la liste",
                            "Supprimer ce genre de la liste"};
  QHBoxLayout *avecBoutons[5];
  const QIcon ajouter = icone(":/ajouter.png");
  for (int i = 0; i < 5; ++i) {
    ajou[i] = new QPushButton(c);
    ajou[i]->setObjectName(QStringLiteral("ajou%1").arg(i));
    ajou[i]->setIcon(ajouter);
    ajou[i]->setToolTip(QString::fromUtf8(tipsAjout[i]));
    sup[i] = new QPushButton(QStringLiteral("-"), c);
    sup[i]->setObjectName(QStringLiteral("sup%1").arg(i));
    sup[i]->setToolTip(QString::fromUtf8(tipsSup[i]));
    for (QPushButton *b : {ajou[i], sup[i]}) {
      b->setFixedWidth(b->fontMetrics().height() + 12);
      b->setVisible(false);
      garderPlace(b);
    }
    avecBoutons[i] = rangee({comboListe(i), ajou[i], sup[i]}, false);
    connect(ajou[i], &QPushButton::clicked, this, [this, i] { ajouterALaListe(i); });
    connect(sup[i], &QPushButton::clicked, this, [this, i] { supprimerDeLaListe(i); });
  }
  avecBoutons[3]->addStretch(1);

  // The card: labels, fields two by two, the cover on the right; the title,
  // the cover, the actors and the story take what the window gives.
  auto *g = new QGridLayout(c);
  g->setContentsMargins(10, 10, 10, 10);
  g->setVerticalSpacing(6);
  auto ligne = [&](int r, const QString &texte, QWidget *champ, QLayout *groupe = nullptr) {
    g->addWidget(etiquette(c, texte), r, 0);
    if (groupe)
      g->addLayout(groupe, r, 1);
    else
      g->addWidget(champ, r, 1);
  };
  auto second = [&](int r, const QString &texte, QWidget *champ) {
    g->addWidget(etiquette(c, texte), r, 2);
    g->addWidget(champ, r, 3);
  };
  g->addWidget(etiquette(c, QStringLiteral("TITRE :")), 0, 0, Qt::AlignTop);
  g->addWidget(titre, 0, 1, 1, 3);
  g->addWidget(etiquette(c, QStringLiteral("ZONE :")), 1, 0);
  g->addLayout(rangee({zone, etiquette(c, QStringLiteral("ANNEE :")), annee, etiquette(c, QStringLiteral("DUREE :")),
                       duree, etiquette(c, QStringLiteral("FACE :")), face}),
               1, 1, 1, 3);
  ligne(2, QStringLiteral("LANGUE :"), langue);
  second(2, QStringLiteral("SOUS-TITRE :"), soustitre);
  ligne(3, QStringLiteral("GENRE :"), nullptr, avecBoutons[4]);
  second(3, QStringLiteral("BONUS :"), bonus);
  ligne(4, QStringLiteral("EDITEUR :"), nullptr, avecBoutons[0]);
  second(4, QStringLiteral("COULEUR :"), couleur);
  ligne(5, QStringLiteral("REALISATEUR :"), realisateur);
  second(5, QStringLiteral("FORMAT :"), format);
  ligne(6, QStringLiteral("FORMAT SONORE :"), nullptr, avecBoutons[2]);
  ligne(7, QStringLiteral("ACHAT :"), nullptr, avecBoutons[1]);
  second(7, QStringLiteral("DATE :"), dateachat);
  g->addWidget(jacket, 0, 4, 8, 1);
  g->addWidget(etiquette(c, QStringLiteral("ACTEURS :")), 8, 0, Qt::AlignTop);
  g->addWidget(acteurs, 8, 1, 1, 4);
  auto *histoire = new QVBoxLayout;
  histoire->addWidget(etiquette(c, QStringLiteral("HISTOIRE :")));
  histoire->addWidget(cpt);
  histoire->addStretch(1);
  g->addLayout(histoire, 9, 0);
  g->addWidget(resumer, 9, 1, 1, 4);
  auto *pretLigne = rangee({preter, etiquette(c, QStringLiteral("DATE :")), datepret, etiquette(c, QStringLiteral("A :"))},
                          false);
  pretLigne->addLayout(avecBoutons[3]);
  g->addWidget(etiquette(c, QStringLiteral("PRET :")), 10, 0);
  g->addLayout(pretLigne, 10, 1, 1, 4);
  g->setRowStretch(0, 2);
  g->setRowStretch(8, 1);
  g->setRowStretch(9, 4);
  g->setColumnStretch(1, 3);
  g->setColumnStretch(4, 2);

  // Scroll bar between the panel and the cover browser.
  VScroll1 = nommer(new QScrollBar(Qt::Vertical, central), "VScroll1");
  VScroll1->setFocusPolicy(Qt::StrongFocus);
  connect(VScroll1, &QScrollBar::valueChanged, this, &Filmorel::VScroll1_Change);

  // Cover browser, shown while editing; its folder models are made at the
  // first edit (preparerJackets), not at start-up.
  Label26 = blanc(etiquette(central, QStringLiteral("JACKET"), "Label26"));
  Label25 = blanc(etiquette(central, QStringLiteral("JACKET"), "Label25")); // drawn over its twin
  Label16 = blanc(etiquette(central, QStringLiteral(" Dossiers"), "Label16"));
  Dir1 = nommer(new QTreeView(central), "Dir1");
  raccourcis = nommer(new QWidget(central), "raccourcis");
  dossierDonnees = nommer(new QPushButton(QStringLiteral("Catalogue"), raccourcis), "dossierDonnees");
  dossierDonnees->setToolTip(QStringLiteral("Dossier des données du catalogue"));
  dossierPersonnel = nommer(new QPushButton(QStringLiteral("Personnel"), raccourcis), "dossierPersonnel");
  dossierPersonnel->setToolTip(QStringLiteral("Dossier personnel"));
  auto *hr = rangee({dossierDonnees, dossierPersonnel}, false);
  hr->setContentsMargins(0, 0, 0, 0);
  raccourcis->setLayout(hr);
  connect(dossierDonnees, &QPushButton::clicked, this, [this] { ouvrirDossier(m_v.cheminAppli); });
  connect(dossierPersonnel, &QPushButton::clicked, this, [this] { ouvrirDossier(QDir::homePath()); });
  Label17 = blanc(etiquette(central, QStringLiteral(" Fichiers"), "Label17"));
  File1 = nommer(new QListView(central), "File1");
  formatjacket = blanc(nommer(new QLabel(QStringLiteral("Format Impératif : 200 x 285"), central), "formatjacket"));
  auto *navigateur = new QGridLayout;
  navigateur->addWidget(Label26, 0, 0);
  navigateur->addWidget(Label25, 0, 0);
  int r = 1;
  for (QWidget *w : std::initializer_list<QWidget *>{raccourcis, Label16, Dir1, Label17, File1, formatjacket})
    navigateur->addWidget(w, r++, 0);
  navigateur->setRowStretch(3, 1);
  navigateur->setRowStretch(5, 1);
  for (QWidget *w : std::initializer_list<QWidget *>{Label16, Label17, Label25, Label26, Dir1, File1, formatjacket,
                                                     raccourcis}) {
    w->setVisible(false);
    garderPlace(w);
  }
  Dir1->setMinimumWidth(formatjacket->sizeHint().width());

  // Command buttons under the card.
  auto *boutons = new QHBoxLayout;
  auto bouton = [&](const char *nomControle, const QString &texte, const QString &tip) {
    auto *b = nommer(new QPushButton(texte, central), nomControle);
    b->setToolTip(tip);
    b->setMinimumHeight(b->sizeHint().height() + 8);
    garderPlace(b);
    boutons->addWidget(b);
    return b;
  };
  modifier = bouton("modifier", QStringLiteral("&Modifier"), QStringLiteral("Edite la fiche (F2)"));
  supprimer = bouton("supprimer", QStringLiteral("&Supprimer"), QStringLiteral("Supprime la fiche (F3)"));
  historic = bouton("historic", QString(), QStringLiteral("Historique des prêts pour ce DVD (F4)"));
  historic->setIcon(icone(":/historique.png"));
  historic->setIconSize(QSize(28, 28));
  pret = bouton("pret", QStringLiteral("&Prêt"), QStringLiteral("Prête la fiche (F6)"));
  retour = bouton("retour", QStringLiteral("&Retour"), QStringLiteral("Retour de la fiche (F7)"));
  boutons->addSpacing(20);
  valider = bouton("valider", QStringLiteral("&V a l i d e r"), QStringLiteral("Enregistre les modifications (F5)"));
  boutons->addStretch(1);
  quitter = bouton("quitter", QStringLiteral("&Quitter"), QStringLiteral("Sortir (Esc)"));

  auto *haut = rangee({Label23, eansearch}, false);
  haut->addSpacing(20);
  haut->addWidget(LabelEan);
  haut->addWidget(ean);
  haut->addSpacing(20);
  haut->addWidget(Progress, 1);
  haut->addWidget(Compteur);
  auto *milieu = new QHBoxLayout;
  milieu->addWidget(conteneur, 1);
  milieu->addWidget(VScroll1);
  milieu->addLayout(navigateur);
  auto *tout = new QVBoxLayout(central);
  tout->addLayout(haut);
  tout->addLayout(milieu, 1);
  tout->addLayout(boutons);

  connect(modifier, &QPushButton::clicked, this, [this] {
    ean->setReadOnly(false);
    modification();
  });
  connect(supprimer, &QPushButton::clicked, this, &Filmorel::supprimer_Click);
  connect(historic, &QPushButton::clicked, this, &Filmorel::voirhistoric);
  connect(pret, &QPushButton::clicked, this, [this] {
    ean->setReadOnly(false);
    pretdvd();
  });
  connect(retour, &QPushButton::clicked, this, &Filmorel::retourdvd);
  connect(valider, &QPushButton::clicked, this, &Filmorel::valider_Click);
  connect(quitter, &QPushButton::clicked, this, &Filmorel::quitte);
  connect(eansearch, &QLineEdit::textChanged, this, [this] { rechercheEan(); });

  for (ZoneTexte *z : {acteurs, resumer}) {
    connect(z, &QPlainTextEdit::textChanged, this, [this, z] { majCpt(z); });
    z->installEventFilter(this);
  }
  VScroll1->installEventFilter(this);

  // Tab order of the form.
  QList<QWidget *> ordre = {eansearch, ean, VScroll1, historic, modifier, supprimer, pret, retour, quitter,
                            titre, zone, annee, duree, face, langue, Genre, soustitre, editeur, ajou[0],
                            sup[0], realisateur, bonus, achat, ajou[1], sup[1], dateachat, format, couleur,
                            Son, ajou[2], sup[2], acteurs, resumer, preter, datepret, nom, ajou[3], sup[3],
                            Dir1, File1, valider, ajou[4], sup[4]};
  for (int i = 1; i < ordre.size(); ++i)
    setTabOrder(ordre[i - 1], ordre[i]);

  // Field widths of the card.
  titre->setMaxLength(largeur(Champ::titre));
  annee->setMaxLength(largeur(Champ::annee));
  duree->setMaxLength(largeur(Champ::duree));
  realisateur->setMaxLength(largeur(Champ::realisateur));
  dateachat->setMaxLength(largeur(Champ::dateachat));
  format->setMaxLength(largeur(Champ::format));
  acteurs->setMaxLength(largeur(Champ::acteurs));
  resumer->setMaxLength(largeur(Champ::resumer));
  datepret->setMaxLength(largeur(Champ::datepret));
}

// The size and place of the last run, kept by the desktop's settings store
// (the data folder's files are the catalogue's alone). The first run takes
// most of the screen, never less than what the card needs.
void Filmorel::restaurerGeometrie() {
  QSettings s(QStringLiteral("Filmorel"), QStringLiteral("Filmorel"));
  if (restoreGeometry(s.value(QStringLiteral("fenetre/geometrie")).toByteArray()))
    return;
  const QRect ecran = screen()->availableGeometry();
  const QSize taille = (ecran.size() * 0.85).expandedTo(minimumSizeHint()).boundedTo(ecran.size());
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, taille, ecran));
}

void Filmorel::sauverGeometrie() {
  QSettings s(QStringLiteral("Filmorel"), QStringLiteral("Filmorel"));
  s.setValue(QStringLiteral("fenetre/geometrie"), saveGeometry());
}

void Filmorel::construireMenus() {
  auto menu = [this](const char *nomMenu, const QString &titreMenu) {
    QMenu *m = menuBar()->addMenu(titreMenu);
    m->setObjectName(QString::fromLatin1(nomMenu));
    return m;
  };
  auto entree = [this](QMenu *m, const char *nomEntree, const QString &texte, void (Filmorel::*slot)()) {
    QAction *a = m->addAction(texte);
    a->setObjectName(QString::fromLatin1(nomEntree));
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  M_Fichier = menu("M_Fichier", QStringLiteral("&Fichier"));
  SM_Exporter_Liste = entree(M_Fichier, "SM_Exporter_Liste", QStringLiteral("Exporter la &liste des Films"),
                             &Filmorel::SM_Exporter_Liste_Click);
  SM_Exporter = entree(M_Fichier, "SM_Exporter", QStringLiteral("&Exporter une sélection de films"),
                       &Filmorel::SM_Exporter_Click);
  SM_Importer = entree(M_Fichier, "SM_Importer", QStringLiteral("&Importer une sélection de films"),
                       &Filmorel::SM_Importer_Click);
  M_Fichier->addSeparator();
  SM_Annuler = entree(M_Fichier, "SM_Annuler", QString(), &Filmorel::SM_Annuler_Click);
  SM_Restaurer = entree(M_Fichier, "SM_Restaurer", QStringLiteral("Restaurer une sauvegarde..."),
                        &Filmorel::SM_Restaurer_Click);
  connect(M_Fichier, &QMenu::aboutToShow, this, &Filmorel::majAnnuler);
  majAnnuler();
  M_Fichier->addSeparator();
  SM_Quitter = entree(M_Fichier, "SM_Quitter", QStringLiteral("&Quitter                    Esc"),
                      &Filmorel::quitte);

  M_RechercheDirecte = menu("M_RechercheDirecte", QStringLiteral("Recherche &Directe"));
  SM_Recherche_Film = entree(M_RechercheDirecte, "SM_Recherche_Film", QStringLiteral("Un &Film"),
                             &Filmorel::SM_Recherche_Film_Click);
  SM_Recherche_Pret = entree(M_RechercheDirecte, "SM_Recherche_Pret", QStringLiteral("Un &Prêt"),
                             &Filmorel::SM_Recherche_Pret_Click);

  M_RechercherListe = menu("M_RechercherListe", QStringLiteral("Rechercher par &Liste"));
  SM_Afficher_FilmTerme = entree(M_RechercherListe, "SM_Afficher_FilmTerme",
                                 QStringLiteral("Les Films avec un même terme"), &Filmorel::SM_Afficher_FilmTerme_Click);
  SM_Afficher_FilmPretPersonne =
      entree(M_RechercherListe, "SM_Afficher_FilmPretPersonne", QStringLiteral("Les &Films prêtés à une Personne"),
             &Filmorel::SM_Afficher_FilmPretPersonne_Click);
  SM_Afficher_FilmTriGenre =
      entree(M_RechercherListe, "SM_Afficher_FilmTriGenre", QStringLiteral("Les Films correspondant à un &Genre"),
             &Filmorel::SM_Afficher_FilmTriGenre_Click);
  SM_Afficher_FilmTriEditeur =
      entree(M_RechercherListe, "SM_Afficher_FilmTriEditeur", QStringLiteral("Les Films d'un même &Editeur"),
             &Filmorel::SM_Afficher_FilmTriEditeur_Click);
  SM_Afficher_FilmTriRealisateur =
      entree(M_RechercherListe, "SM_Afficher_FilmTriRealisateur", QStringLiteral("Les Films d'un &Réalisateur"),
             &Filmorel::SM_Afficher_FilmTriRealisateur_Click);
  SM_Afficher_FilmTriActeur =
      entree(M_RechercherListe, "SM_Afficher_FilmTriActeur", QStringLiteral("Les Films d'un même &Interprète"),
             &Filmorel::SM_Afficher_FilmTriActeur_Click);
  SM_Afficher_AchatFilm =
      entree(M_RechercherListe, "SM_Afficher_AchatFilm", QStringLiteral("Les Films achetés d'une personne"),
             &Filmorel::SM_Afficher_AchatFilm_Click);

  M_Afficher = menu("M_Afficher", QStringLiteral("&Afficher"));
  SM_Afficher_Pret = entree(M_Afficher, "SM_Afficher_Pret", QStringLiteral("La liste des &Prêts"),
                            &Filmorel::SM_Afficher_Pret_Click);
  SM_Afficher_Films = entree(M_Afficher, "SM_Afficher_Films", QStringLiteral("La liste des &Films"),
                             &Filmorel::SM_Afficher_Films_Click);
  SM_Afficher_Pret->setShortcut(QKeySequence(Qt::Key_F11));
  SM_Afficher_Films->setShortcut(QKeySequence(Qt::Key_F12));

  M_A_Propos = menu("M_A_Propos", QStringLiteral("&?"));
  SM_APropos = entree(M_A_Propos, "SM_APropos", QStringLiteral("A &Propos"), &Filmorel::SM_APropos_Click);
}

// ---------------------------------------------------------------- start-up

bool Filmorel::demarrer() {
  m_v.cheminAppli = QDir::currentPath() + u'/';
  m_v.cheminExport = m_v.cheminAppli + QStringLiteral("export/");
  // The lock comes before anything is read: only its holder may roll back a
  // command cut short, and a second copy must not read a half-done one.
  if (!localiserIni() || !verrouiller() || !lire_ini()) {
    terminer();
    return false;
  }
  conteneur->setEnabled(false);
  ean->setReadOnly(true);

  fondConteneur->chargerFixe(cheminFichier(QStringLiteral("dvd1.bmp")));
  fond->chargerFixe(cheminFichier(QStringLiteral("dvd.bmp")));
  jacket->chargerFixe(cheminFichier(QStringLiteral("jackets/jacket.bmp")));

  valider->setVisible(false);
  m_v.modifEnCours = m_v.pretEnCours = m_v.modeCreation = m_v.titreModifie = 0;
  m_v.posCourante = 1;

  verifierOuverture();
  // Once the first card is on screen, the first backup is copied while the
  // user reads: the first change does not wait for it.
  if (m_ecrivain.lectureSeule.isEmpty())
    QTimer::singleShot(250, this, [this] { m_ecrivain.preparerSauvegarde(); });
  // Never read beyond the records really there.
  m_v.nbFiches = qMin(m_v.nbFiches, qMin(fichiers::nbEntreesSurDisque(m_v.cheminAppli),
                                         fichiers::nbFichesSurDisque(m_v.cheminAppli)));

  // The scroll bar's change below reads and shows card 1: once is enough.
  {
    QSignalBlocker bloque(VScroll1);
    VScroll1->setMinimum(1);
    VScroll1->setSingleStep(1);
    VScroll1->setMaximum(m_v.nbFiches == 0 ? 1 : m_v.nbFiches);
    if (m_v.nbFiches > 0)
      VScroll1->setPageStep(m_v.nbFiches / 20 + 1);
    VScroll1->setValue(1);
  }
  VScroll1_Change(1);
  m_v.focusScroll = false;
  cpt->setVisible(false);

  if (m_v.nbFiches == 0) {
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Base de donnée vierge.\r\rVeuillez saisir le code E.A.N (13) d'un DVD dans la fenêtre "
                       "suivante pour créer une nouvelle fiche.\r\rMerci d'utiliser ce logiciel et bonne "
                       "application !!!"),
        48, QStringLiteral("Message"));
    afficherBoutonsFiche(false);
    ean->clear();
    vidage();
    Compteur->setVisible(false);
  }
  eansearch->setFocus();
  return true;
}

namespace {
// A lock written before the machine started cannot belong to a running
// program, whatever process now has its number (Linux: boot time in /proc/stat).
bool plusVieuxQueLeDemarrage(const QString &chemin) {
  QFile stat(QStringLiteral("/proc/stat"));
  if (!stat.open(QIODevice::ReadOnly | QIODevice::Text))
    return false;
  for (const QByteArray &ligne : stat.readAll().split('\n'))
    if (ligne.startsWith("btime "))
      return QFileInfo(chemin).lastModified().toSecsSinceEpoch() < ligne.mid(6).trimmed().toLongLong();
  return false;
}
} // namespace

// Two copies of the program writing the same files would corrupt them. A
// lock left by a run that is gone is taken over, saying so; one from
// another computer (a shared folder) is taken over only if the user says so.
bool Filmorel::verrouiller() {
  const QString chemin = cheminDans(m_v.cheminAppli, QStringLiteral("filmorel.lock"));
  const QString affiche = QDir::toNativeSeparators(chemin);
  const bool existait = QFileInfo::exists(chemin);
  m_verrou = std::make_unique<QLockFile>(chemin);
  m_verrou->setStaleLockTime(0);
  bool pris = m_verrou->tryLock(0);
  if (!pris && m_verrou->error() != QLockFile::LockFailedError) {
    // A read-only folder cannot hold the lock: the catalogue is only read.
    m_ecrivain.lectureSeule = QStringLiteral("le fichier de verrouillage %1 ne peut pas être créé.").arg(affiche);
    return true;
  }
  if (pris) {
    if (existait)
      m_dialogues->message(QStringLiteral("Le fichier de verrouillage %1 avait été laissé par un Filmorel qui ne "
                                          "fonctionne plus : il est repris.")
                               .arg(affiche),
                           64, QStringLiteral("Message"));
  } else {
    qint64 pid = 0;
    QString hote, appli;
    const bool lisible = m_verrou->getLockInfo(&pid, &hote, &appli);
    const bool ancien = plusVieuxQueLeDemarrage(chemin);
    if (!lisible || ancien) {
      m_dialogues->message(ancien ? QStringLiteral("Le fichier de verrouillage %1 date d'avant le démarrage de "
                                                   "l'ordinateur : il est repris.")
                                        .arg(affiche)
                                  : QStringLiteral("Le fichier de verrouillage %1 est vide ou illisible : il est "
                                                   "repris.")
                                        .arg(affiche),
                           64, QStringLiteral("Message"));
      pris = m_verrou->removeStaleLockFile() && m_verrou->tryLock(0);
    } else if (!hote.isEmpty() && hote != QSysInfo::machineHostName()) {
      m_v.reponse = m_dialogues->message(
          QStringLiteral("Ce catalogue est ouvert sur l'ordinateur « %1 » (fichier de verrouillage %2).\r\r"
                         "Deux Filmorel sur un même catalogue l'abîmeraient. Ne le reprenez que si ce Filmorel "
                         "est fermé.\r\rReprendre le catalogue ?")
              .arg(hote, affiche),
          Dialogues::BoutonsOuiNon + Dialogues::IconeExclamation, QStringLiteral("Message"));
      if (m_v.reponse != Dialogues::Oui)
        return false;
      pris = m_verrou->removeStaleLockFile() && m_verrou->tryLock(0);
    }
  }
  if (!pris) {
    m_v.reponse = m_dialogues->message(QStringLiteral("Ce catalogue est déjà ouvert par un autre Filmorel.\r\r"
                                                      "Fermez-le avant d'ouvrir ce dossier une seconde fois :\r%1"
                                                      "\r\rFichier de verrouillage : %2")
                                           .arg(QDir::toNativeSeparators(m_v.cheminAppli), affiche),
                                       48, QStringLiteral("Message"));
    return false;
  }
  switch (catalogue::reprendre(m_v.cheminAppli)) {
  case catalogue::Reprise::Rien:
    break;
  case catalogue::Reprise::Annulee:
    m_dialogues->message(QStringLiteral("Filmorel a été interrompu pendant une modification du catalogue.\r\r"
                                        "Cette modification a été annulée : le catalogue est tel qu'il était "
                                        "avant elle."),
                         48, QStringLiteral("Message"));
    break;
  case catalogue::Reprise::Echec:
    m_ecrivain.lectureSeule = QStringLiteral("une modification interrompue n'a pas pu être annulée (fichier %1).")
                                  .arg(QDir::toNativeSeparators(cheminFichier(catalogue::kJournal)));
    break;
  }
  return true;
}

// Said once: why the catalogue can only be read, or that its count or index
// cannot be trusted (then a repair is offered).
void Filmorel::verifierOuverture() {
  if (m_ecrivain.lectureSeule.isEmpty())
    m_ecrivain.lectureSeule = catalogue::lectureSeule(m_v.cheminAppli, ecrivable);
  if (!m_ecrivain.lectureSeule.isEmpty()) {
    m_dialogues->message(QStringLiteral("Le catalogue est ouvert en lecture seule : %1\r\rIl peut être consulté, "
                                        "mais aucune fiche ne peut être créée, modifiée, prêtée ou supprimée.")
                             .arg(m_ecrivain.lectureSeule),
                         48, QStringLiteral("Message"));
    return;
  }
  fichiers::creerSiAbsents(m_v.cheminAppli);
  Reglages lus;
  reglages::lire(cheminFichier(QStringLiteral("dvd.ini")), lus);
  const QString doute = catalogue::indexDouteux(m_v.cheminAppli, lus);
  if (doute.isEmpty())
    return;
  const QString copie = QDir(m_v.cheminAppli)
                            .filePath(QStringLiteral("copie-avant-reparation-") +
                                      QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")));
  m_v.reponse = m_dialogues->message(
      doute + QStringLiteral("\r\rLe catalogue est ouvert en lecture seule pour que rien ne soit écrit par-dessus."
                            "\r\rVoulez-vous le réparer ? Une copie de dvd.lst, dvd.idx et dvd.ini sera d'abord "
                            "gardée dans le dossier :\r%1")
                     .arg(QDir::toNativeSeparators(copie)),
      Dialogues::BoutonsOuiNon + Dialogues::IconeExclamation, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Oui) {
    const catalogue::Resultat r = m_ecrivain.reparer(catalogue::indexRepare(m_v.cheminAppli), reglagesCourants(), copie);
    m_dialogues->message(r.fait() ? QStringLiteral("Le catalogue a été réparé : il compte %1 fiche(s).").arg(m_v.nbFiches)
                                  : r.message,
                         r.fait() ? 64 : 48, QStringLiteral("Message"));
    if (r.fait())
      return;
  }
  m_ecrivain.lectureSeule = doute;
}

// Says why an editing command cannot run; false when it can.
bool Filmorel::refuserEnLectureSeule() {
  if (m_ecrivain.lectureSeule.isEmpty())
    return false;
  m_v.reponse = m_dialogues->message(QStringLiteral("Le catalogue est ouvert en lecture seule : %1\r\rCette "
                                                    "opération ne peut pas être faite.")
                                         .arg(m_ecrivain.lectureSeule),
                                     48, QStringLiteral("Message"));
  return true;
}

void Filmorel::afficherBoutonsFiche(bool visibles) {
  for (QWidget *w : {static_cast<QWidget *>(historic), static_cast<QWidget *>(modifier),
                     static_cast<QWidget *>(supprimer), static_cast<QWidget *>(pret),
                     static_cast<QWidget *>(retour)})
    w->setVisible(visibles);
}

// ---------------------------------------------------------------- storage glue

QString Filmorel::cheminFichier(const QString &nom) const { return cheminDans(m_v.cheminAppli, nom); }

void Filmorel::lire_idx() {
  const int p = m_v.posCourante;
  if (p >= 1 && p <= Variables::MaxFiches)
    fichiers::lireEntree(m_v.cheminAppli, p, m_v.tabIndex[p]);
}

void Filmorel::lire() {
  const int p = m_v.posCourante;
  if (p < 1 || p > Variables::MaxFiches)
    return;
  // An entry pointing outside the live records is not read: the buffer stays.
  const int n = m_v.tabIndex[p].numero;
  if (n < 1 || n > m_v.nbFiches)
    return;
  fichiers::lireFiche(m_v.cheminAppli, n, m_v.ficheCourante);
}

void Filmorel::verif_historic() {
  const int p = m_v.posCourante;
  if (m_v.nbFiches == 0 || p < 1 || p > m_v.nbFiches) {
    historic->setVisible(false);
    m_v.nbHisto = 0;
    return;
  }
  QList<Pret> prets;
  const QString chemin = historique::chemin(m_v.cheminAppli, m_v.tabIndex[p].ean());
  switch (historique::lire(chemin, prets)) {
  case historique::Lecture::Absent:
    historic->setVisible(false);
    m_v.nbHisto = 0;
    break;
  case historique::Lecture::Lu:
    m_v.chargerHistorique(prets);
    historic->setVisible(true);
    break;
  case historique::Lecture::Erreur:
    break;
  }
}

ComboListe *Filmorel::comboListe(int n) const {
  switch (n) {
  case 0: return editeur;
  case 1: return achat;
  case 2: return Son;
  case 3: return nom;
  default: return Genre;
  }
}

int &Filmorel::compteListe(int n) {
  switch (n) {
  case 0: return m_v.nbEditeurs;
  case 1: return m_v.nbAcheteurs;
  case 2: return m_v.nbSons;
  case 3: return m_v.nbNoms;
  default: return m_v.nbGenres;
  }
}

bool Filmorel::localiserIni() {
  while (!QFile(cheminFichier(QStringLiteral("dvd.ini"))).open(QIODevice::ReadOnly)) {
    m_v.reponse = m_dialogues->message(QStringLiteral("Fichier d'initialisation non trouvé !\rVeuillez préciser "
                                                      "le chemin d'accès dans la fenêtre suivante..."),
                                       48, QStringLiteral("MESSAGE"));
    const QString choisi = m_dialogues->ouvrirFichier(QStringLiteral("Ouvrir un fichier..."),
                                                      QStringLiteral("fichier ini (*.ini) |*.ini"),
                                                      QStringLiteral("dvd.ini"), m_v.cheminAppli);
    // Giving up the choice ends the program rather than asking forever.
    if (choisi.isEmpty())
      return false;
    m_v.cheminAppli = QFileInfo(choisi).absolutePath() + u'/';
  }
  return true;
}

bool Filmorel::lire_ini() {
  Reglages r;
  if (reglages::lire(cheminFichier(QStringLiteral("dvd.ini")), r) == reglages::Lecture::Absent)
    return false;
  m_v.nbFiches = r.nbFiches;
  m_v.margeHaut = r.margeHaut;
  m_v.margeBas = r.margeBas;
  m_v.margeGauche = r.margeGauche;
  m_v.margeDroite = r.margeDroite;
  const QStringList *listes[5] = {&r.editeurs, &r.acheteurs, &r.sons, &r.noms, &r.genres};
  for (int n = 0; n < 5; ++n) {
    for (const QString &item : *listes[n])
      comboListe(n)->ajouterItem(item);
    compteListe(n) = int(listes[n]->size());
  }
  return true;
}

Reglages Filmorel::reglagesCourants() const {
  Reglages r;
  r.nbFiches = m_v.nbFiches;
  r.margeHaut = m_v.margeHaut;
  r.margeBas = m_v.margeBas;
  r.margeGauche = m_v.margeGauche;
  r.margeDroite = m_v.margeDroite;
  auto premiers = [](const ComboListe *c, int n) { return c->items().mid(0, qMax(0, n)); };
  r.genres = premiers(Genre, m_v.nbGenres);
  r.editeurs = premiers(editeur, m_v.nbEditeurs);
  r.sons = premiers(Son, m_v.nbSons);
  r.acheteurs = premiers(achat, m_v.nbAcheteurs);
  r.noms = premiers(nom, m_v.nbNoms);
  return r;
}

bool Filmorel::sauver_ini() {
  const catalogue::Resultat r = m_ecrivain.sauverReglages(reglagesCourants());
  if (!r.fait())
    m_v.reponse = m_dialogues->message(r.message, 48, QStringLiteral("Message"));
  return r.fait();
}

void Filmorel::setProgression(int valeur, int maximum) {
  // An empty range would show Qt's busy animation: show an empty bar.
  Progress->setRange(0, qMax(1, maximum));
  Progress->setValue(maximum < 1 ? 0 : valeur);
  Progress->setVisible(true);
}

void Filmorel::finProgression() { Progress->setVisible(false); }

QList<QWidget *> Filmorel::champs() const {
  return {ean, titre, zone, annee, duree, face, langue, Genre, soustitre, editeur, realisateur,
          bonus, achat, dateachat, format, couleur, Son, acteurs, resumer, preter, datepret, nom};
}

QString Filmorel::texteChamp(Champ c) const {
  QWidget *w = champs().value(static_cast<int>(c));
  if (auto *l = qobject_cast<QLineEdit *>(w))
    return l->text();
  if (auto *z = qobject_cast<ZoneTexte *>(w))
    return z->text();
  if (auto *d = qobject_cast<ListeDeroulante *>(w))
    return d->texte();
  if (auto *cb = qobject_cast<ComboListe *>(w))
    return cb->currentText();
  return {};
}

void Filmorel::setTexteChamp(Champ c, const QString &texte) {
  QWidget *w = champs().value(static_cast<int>(c));
  if (auto *l = qobject_cast<QLineEdit *>(w))
    l->setText(texte);
  else if (auto *z = qobject_cast<ZoneTexte *>(w))
    z->setText(texte);
  else if (auto *d = qobject_cast<ListeDeroulante *>(w))
    d->setTexte(texte);
  else if (auto *cb = qobject_cast<ComboListe *>(w))
    cb->setEditText(texte);
}

void Filmorel::memoriser() {
  for (int i = 0; i <= static_cast<int>(Champ::nom); ++i)
    m_v.ficheCourante.set(static_cast<Champ>(i), texteChamp(static_cast<Champ>(i)));
  if (m_v.jacketChoisie == 1) {
    // The picture shown, whatever the file list's cursor did since.
    m_v.ficheCourante.set(Champ::jacket, QFileInfo(cheminJacketChoisie).fileName());
    m_v.jacketChoisie = 0;
  }
  if (m_v.ficheCourante.get(Champ::jacket).startsWith(QChar(u'\0')))
    m_v.ficheCourante.set(Champ::jacket, QStringLiteral("jacket.bmp"));
}

// ---------------------------------------------------------------- display

// A buffer no card was read into holds NULs: shown as empty fields.
QString Filmorel::texteLu(Champ c) const {
  const QString t = sansBlancsFinaux(m_v.ficheCourante.get(c)).remove(QChar(u'\0'));
  return c == Champ::format ? t.trimmed() : t;
}

void Filmorel::afficher() {
  verif_historic();
  const Fiche &f = m_v.ficheCourante;
  for (int i = 0; i <= static_cast<int>(Champ::preter); ++i)
    setTexteChamp(static_cast<Champ>(i), texteLu(static_cast<Champ>(i)));
  const bool prete = preter->text() == QLatin1String("Oui");
  pret->setEnabled(!prete);
  retour->setEnabled(prete);
  setTexteChamp(Champ::datepret, texteLu(Champ::datepret));
  setTexteChamp(Champ::nom, texteLu(Champ::nom));
  if (!f.vierge())
    m_v.ficheCourante.set(Champ::jacket, ean->text() + QStringLiteral(".jpg"));
  chargerJacket(ean->text());
}

void Filmorel::chargerJacket(const QString &codeEan) {
  // A bar code read from a file is no path: "../x" names no cover. Most
  // cards have no cover of their own: no failed decoding for them.
  const QString cover = !codeEan.isEmpty() && historique::nommeUnFichier(codeEan)
                            ? cheminFichier(QStringLiteral("jackets/") + codeEan + QStringLiteral(".jpg"))
                            : QString();
  if (cover.isEmpty() || !QFileInfo::exists(cover) || !jacket->charger(cover))
    jacket->chargerFixe(cheminFichier(QStringLiteral("jackets/jacket.bmp")));
}

void Filmorel::vidage() {
  for (QLineEdit *l : {annee, duree, realisateur, datepret})
    l->clear();
  for (ZoneTexte *z : {titre, acteurs, resumer})
    z->clear();
  achat->setEditText(QString());
  nom->setEditText(QString());
  zone->setTexte(QStringLiteral("2"));
  face->setTexte(QStringLiteral("1"));
  langue->setTexte(QStringLiteral("Fr/Ang"));
  soustitre->setTexte(QStringLiteral("Fr/Ang"));
  Genre->setEditText(QStringLiteral("Film"));
  editeur->setEditText(QStringLiteral("Autre"));
  bonus->setTexte(QStringLiteral("Oui"));
  couleur->setTexte(QStringLiteral("Oui"));
  dateachat->setText(aujourdhui());
  format->setText(QStringLiteral("16:9"));
  Son->setEditText(QStringLiteral("Dolby Digital 5.1"));
  preter->setText(QStringLiteral("Non"));
  jacket->chargerFixe(cheminFichier(QStringLiteral("jackets/jacket.bmp")));
}

// ---------------------------------------------------------------- browsing

void Filmorel::VScroll1_Change(int valeur) {
  m_v.posCourante = valeur;
  lire_idx();
  lire();
  afficher();
  majCompteur();
}

void Filmorel::majCompteur() {
  Compteur->setText(QStringLiteral("%1 / %2").arg(m_v.posCourante).arg(m_v.nbFiches));
}

void Filmorel::afficherPosition(int position) {
  if (VScroll1->value() == position)
    VScroll1_Change(position);
  else
    VScroll1->setValue(position);
}

void Filmorel::majCpt(ZoneTexte *z) {
  cpt->setText(QStringLiteral("%1/%2").arg(z->longueur()).arg(z->maxLength()));
}

bool Filmorel::eventFilter(QObject *o, QEvent *e) {
  switch (e->type()) {
  case QEvent::FocusIn:
    if (o == VScroll1)
      m_v.focusScroll = true;
    else if (o == acteurs || o == resumer) {
      majCpt(static_cast<ZoneTexte *>(o));
      cpt->setVisible(true);
    }
    break;
  case QEvent::FocusOut:
    if (o == VScroll1)
      m_v.focusScroll = false;
    else if (o == acteurs || o == resumer)
      cpt->setVisible(false);
    break;
  default:
    break;
  }
  return QMainWindow::eventFilter(o, e);
}

// ---------------------------------------------------------------- closing

void Filmorel::quitte() {
  if (m_v.modifEnCours == 1 || m_v.pretEnCours == 1)
    return;
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir Quitter ?"), 36,
                                     QStringLiteral("Message"));
  if (m_v.reponse != Dialogues::Non)
    terminer();
}

void Filmorel::terminer() {
  if (isVisible())
    sauverGeometrie();
  m_termine = true;
  m_fermetureAcceptee = true;
  close();
  emit programmeTermine();
}

void Filmorel::closeEvent(QCloseEvent *e) {
  if (m_fermetureAcceptee) {
    e->accept();
    return;
  }
  if (m_v.modifEnCours == 1 || m_v.pretEnCours == 1) {
    e->ignore();
    return;
  }
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir Quitter ?"), 36,
                                     QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non) {
    e->ignore();
    return;
  }
  e->accept();
  sauverGeometrie();
  m_fermetureAcceptee = true;
  m_termine = true;
  emit programmeTermine();
}

// ---------------------------------------------------------------- secondary windows

void Filmorel::ouvrirFenetreSecondaire(QWidget *fenetre) {
  m_fenetreSecondaire = fenetre;
  fenetre->setEnabled(true);
  fenetre->show();
  setEnabled(false);
  fenetre->activateWindow();
  fenetre->setFocus();
}

void Filmorel::fermetureFenetreSecondaire() {
  m_fenetreSecondaire = nullptr;
  setEnabled(true);
  activateWindow();
}
