#include "listings/choix.h"

#include "mainwindow/apercuclavier.h"
#include "mainwindow/filmorel.h"
#include "mainwindow/widgets.h"
#include "storage/fiche.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct DefChoix {
  const char *nom;       // the dialog's name
  const char *demande;   // Label1
  const char *boite;     // the input box's name
  const char *infobulle;
  bool liste;            // combo box (else text box)
};

const DefChoix &defChoix(ChoixDialogue::Variante v) {
  static const DefChoix table[] = {
      {"choixdugenre", "VEUILLEZ CHOISIR UN GENRE...", "genre", "Genre du Film", true},
      {"choixediteur", "VEUILLEZ CHOISIR UN EDITEUR...", "editeur", "Editeur du Film", true},
      {"choixfilmachat", "VEUILLEZ CHOISIR UN NOM...", "nom", "Nom de l'acheteur", true},
      {"choixdunom", "VEUILLEZ CHOISIR UN NOM...", "nom", "Nom de l'emprunteur", true},
      {"choixacteur", "VEUILLEZ SAISIR UN NOM...", "nom", "Nom de l'acteur", false},
      {"choixrealisateur", "VEUILLEZ SAISIR UN NOM...", "nom", "Nom du realisateur", false},
      {"choixterme", "VEUILLEZ SAISIR UN TERME...", "nom", "Terme à rechercher", false},
  };
  return table[v];
}
} // namespace

ChoixDialogue::ChoixDialogue(Filmorel &principale, Variante variante)
    : QWidget(nullptr, Qt::Dialog), m_principale(&principale), m_variante(variante) {
  const DefChoix &d = defChoix(variante);
  setObjectName(QString::fromLatin1(d.nom));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Recherche..."));
  setWindowIcon(principale.windowIcon());

  Label1 = new QLabel(QString::fromUtf8(d.demande), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  QWidget *boite;
  if (d.liste) {
    combo = new ComboListe(true, this);
    boite = combo;
  } else {
    texte = new QLineEdit(this);
    boite = texte;
  }
  boite->setObjectName(QString::fromLatin1(d.boite));
  boite->setToolTip(QString::fromUtf8(d.infobulle));
  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName(QStringLiteral("OKButton"));
  CancelButton = new QPushButton(QStringLiteral("Annuler"), this);
  CancelButton->setObjectName(QStringLiteral("CancelButton"));

  auto *boutons = new QVBoxLayout;
  boutons->addWidget(OKButton);
  boutons->addWidget(CancelButton);
  boutons->addStretch();
  auto *saisie = new QVBoxLayout;
  saisie->addWidget(Label1);
  saisie->addWidget(boite);
  saisie->addStretch();
  auto *tout = new QHBoxLayout(this);
  tout->addLayout(saisie, 1);
  tout->addLayout(boutons);
  resize(420, 120);

  connect(OKButton, &QPushButton::clicked, this, &ChoixDialogue::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &ChoixDialogue::CancelButton_Click);
  // Enter answers OK (or the focused button), Esc answers Annuler; the
  // release of the key that opened the dialog (Enter on a menu item) does not.
  new ApercuClavier(this, [this](int touche, Qt::KeyboardModifiers) {
    if (m_dechargee)
      return;
    if (touche == Qt::Key_Escape) {
      CancelButton_Click();
    } else if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
      if (auto *b = qobject_cast<QPushButton *>(focusWidget()))
        b->click();
      else
        OKButton_Click();
    }
  });
  Form_Load();
}

ChoixDialogue *ChoixDialogue::ouvrir(Filmorel &f, Variante variante) {
  auto *d = new ChoixDialogue(f, variante);
  // No parent (a disabled parent would disable it): it goes with the main window.
  connect(&f, &QObject::destroyed, d, [d] { delete d; });

  const Variables &v = f.v();
  QStringList entrees;
  switch (variante) {
  case Genre: entrees = f.Genre->items().mid(0, qMax(0, v.nbGenres)); break;
  case Editeur: entrees = f.editeur->items().mid(0, qMax(0, v.nbEditeurs)); break;
  case Acheteur: entrees = f.achat->items().mid(0, qMax(0, v.nbAcheteurs)); break;
  // The first borrower of the list is never offered.
  case Emprunteur: entrees = f.nom->items().mid(1, qMax(0, v.nbNoms - 1)); break;
  default: break;
  }
  for (const QString &e : std::as_const(entrees))
    d->combo->ajouterItem(e);

  f.ouvrirFenetreSecondaire(d);
  if (d->combo)
    d->combo->setFocus();
  else
    d->texte->setFocus();
  return d;
}

void ChoixDialogue::Form_Load() {
  annule = 0;
  if (combo)
    combo->setEditText(QStringLiteral("?"));
  else
    texte->clear();
}

QString ChoixDialogue::critere() const { return combo ? combo->currentText() : texte->text(); }

void ChoixDialogue::OKButton_Click() {
  if (m_variante == Acheteur && m_principale)
    m_principale->v().acheteurChoisi = critere();
  close();
}

void ChoixDialogue::CancelButton_Click() {
  annule = 1;
  close();
}

void ChoixDialogue::Form_Unload() {
  if (m_dechargee || !m_principale)
    return;
  m_dechargee = true;
  Filmorel &f = *m_principale;
  f.fermetureFenetreSecondaire();
  if (texte && sansEspaces(texte->text()).isEmpty())
    annule = 1;
  if (annule != 0)
    return;
  const QString c = critere();
  // Gone from the screen before the listing opens its own window.
  hide();
  switch (m_variante) {
  case Genre: f.voirgenre(c); break;
  case Editeur: f.voirediteur(c); break;
  case Acheteur: f.voirfilmachat(); break; // the close box keeps the previous buyer
  case Emprunteur: f.voirfilm(c); break;
  case Acteur: f.voiracteur(c); break;
  case Realisateur: f.voirrealisateur(c); break;
  case Terme: f.voirfilmterme(c); break;
  }
}

void ChoixDialogue::closeEvent(QCloseEvent *e) {
  Form_Unload();
  e->accept();
}
