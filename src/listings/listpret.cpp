#include "listings/listpret.h"

#include "mainwindow/filmorel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>

namespace {
// Margins are millimetres: printing computes positions with them, and dvd.ini
// reads them back as numbers. A decimal comma is taken as a point; an empty
// box or a number cut after its point is completed when the box is left.
class ValidateurMarge : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString &texte, int &) const override {
    texte.replace(u',', u'.');
    static const QRegularExpression complet(QStringLiteral("^[0-9]{1,3}(\\.[0-9]{1,2})?$"));
    static const QRegularExpression debut(QStringLiteral("^([0-9]{1,3}\\.?)?$"));
    if (complet.match(texte).hasMatch())
      return Acceptable;
    return debut.match(texte).hasMatch() ? Intermediate : Invalid;
  }
  void fixup(QString &texte) const override {
    if (texte.endsWith(u'.'))
      texte.chop(1);
    if (texte.isEmpty())
      texte = QStringLiteral("0");
  }
};
} // namespace

ListPret::ListPret(Filmorel &principale) : QWidget(nullptr), m_principale(&principale) {
  setObjectName(QStringLiteral("listpret"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(principale.windowIcon());

  Grille = new QTableWidget(this);
  Grille->setObjectName(QStringLiteral("Grille"));
  Grille->horizontalHeader()->hide();
  Grille->verticalHeader()->hide();
  Grille->verticalHeader()->setMinimumSectionSize(1);
  Grille->verticalHeader()->setDefaultSectionSize(enPixels(240));
  Grille->horizontalHeader()->setMinimumSectionSize(1);
  Grille->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grille->setSelectionMode(QAbstractItemView::SingleSelection);
  Grille->setWordWrap(false);
  // A read-only list: Tab goes on to the buttons.
  Grille->setTabKeyNavigation(false);
  // The widths are given in twips for a small grid font: a date must fit in
  // 1100 twips.
  QFont petite = Grille->font();
  petite.setPointSizeF(7.5);
  Grille->setFont(petite);

  Ok = new QPushButton(QStringLiteral("OK"), this);
  Ok->setObjectName(QStringLiteral("Ok"));
  imprimer = new QPushButton(QStringLiteral("Imprimer"), this);
  imprimer->setObjectName(QStringLiteral("imprimer"));
  setup_printer = new QPushButton(QStringLiteral("Configuration  Imprimante"), this);
  setup_printer->setObjectName(QStringLiteral("setup_printer"));
  printdefaut = new QLineEdit(this);
  printdefaut->setObjectName(QStringLiteral("printdefaut"));
  printdefaut->setReadOnly(true);
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));

  mg = boiteMarge(QStringLiteral("mg"), &Variables::margeGauche);
  md = boiteMarge(QStringLiteral("md"), &Variables::margeDroite);
  mh = boiteMarge(QStringLiteral("mh"), &Variables::margeHaut);
  mb = boiteMarge(QStringLiteral("mb"), &Variables::margeBas);

  auto *boutons = new QHBoxLayout;
  boutons->addWidget(Ok);
  boutons->addStretch();
  boutons->addWidget(imprimer);
  boutons->addWidget(setup_printer);

  auto *imprimante = new QHBoxLayout;
  imprimante->addWidget(new QLabel(QStringLiteral("Imprimante par défaut :"), this));
  imprimante->addWidget(printdefaut, 1);

  auto *marges = new QGridLayout;
  marges->addWidget(new QLabel(QStringLiteral("Marges par défaut en mm :"), this), 0, 0, 1, 8);
  const QList<QPair<QString, QLineEdit *>> boites = {
      {QStringLiteral("Gauche"), mg}, {QStringLiteral("Droite"), md},
      {QStringLiteral("Haut"), mh},   {QStringLiteral("Bas"), mb}};
  for (int i = 0; i < boites.size(); ++i) {
    marges->addWidget(new QLabel(boites[i].first, this), 1, 2 * i, Qt::AlignRight);
    marges->addWidget(boites[i].second, 1, 2 * i + 1);
  }

  auto *tout = new QVBoxLayout(this);
  tout->addWidget(Grille, 1);
  tout->addLayout(boutons);
  tout->addLayout(imprimante);
  tout->addLayout(marges);
  resize(600, 640);

  connect(Ok, &QPushButton::clicked, this, &QWidget::close);
  connect(imprimer, &QPushButton::clicked, this, [this] {
    if (surImprimer)
      surImprimer();
  });
  connect(setup_printer, &QPushButton::clicked, this, [this] {
    if (surConfigurer)
      surConfigurer();
  });
  connect(Timer1, &QTimer::timeout, this, &ListPret::Timer1_Timer);
  qApp->installEventFilter(this);

  Form_Load();
}

ListPret::~ListPret() { qApp->removeEventFilter(this); }

QLineEdit *ListPret::boiteMarge(const QString &nom, QString Variables::*marge) {
  auto *boite = new QLineEdit(this);
  boite->setObjectName(nom);
  boite->setMaximumWidth(60);
  boite->setValidator(new ValidateurMarge(boite));
  connect(boite, &QLineEdit::textChanged, this, [this, marge](const QString &texte) {
    if (m_principale)
      m_principale->v().*marge = texte;
    modifEnCours = 1;
  });
  return boite;
}

void ListPret::Form_Load() {
  Timer1->setInterval(500);
  Timer1->start();
  Timer1_Timer();
  const Variables &v = m_principale->v();
  mg->setText(v.margeGauche);
  md->setText(v.margeDroite);
  mh->setText(v.margeHaut);
  mb->setText(v.margeBas);
  modifEnCours = 0;
}

void ListPret::Timer1_Timer() {
  printdefaut->setText(nomImprimante ? nomImprimante() : QPrinterInfo::defaultPrinterName());
}

int ListPret::typeListe() const { return m_principale ? m_principale->v().typeListe : 0; }

QString ListPret::texte(int rangee, int colonne) const {
  const QTableWidgetItem *item = Grille->item(rangee, colonne);
  return item ? item->text() : QString();
}

void ListPret::afficherListing(const Listing &l) {
  m_listing = l;
  setWindowTitle(l.titre);
  Grille->setUpdatesEnabled(false);
  Grille->clear();
  const int nbColonnes = int(l.colonnes.size());
  Grille->setColumnCount(nbColonnes);
  Grille->setRowCount(l.nbRangees());
  for (int c = 0; c < nbColonnes; ++c)
    if (l.colonnes[c].largeur >= 0)
      Grille->setColumnWidth(c, enPixels(l.colonnes[c].largeur));
  const int hauteur = enPixels(250);
  for (int r = 0; r < l.lignes.size(); ++r)
    Grille->setRowHeight(r, hauteur);

  // Row 0, and the line numbers when there are some, look like fixed cells.
  const bool numerotee = l.typeListe != 2;
  const QBrush fixe = palette().button();
  auto cellule = [&](int r, int c, const QString &texte, Qt::Alignment a) {
    auto *item = new QTableWidgetItem(texte);
    item->setTextAlignment(a);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (r == 0 || (numerotee && c == 0))
      item->setBackground(fixe);
    Grille->setItem(r, c, item);
  };
  for (int c = 0; c < nbColonnes; ++c)
    cellule(0, c, l.colonnes[c].entete, Qt::AlignCenter);
  for (int i = 0; i < l.lignes.size(); ++i)
    for (int c = 0; c < nbColonnes; ++c)
      cellule(i + 1, c, l.lignes[i].value(c), l.colonnes[c].alignement);
  for (int r = int(l.lignes.size()) + 1; numerotee && r < Grille->rowCount(); ++r)
    cellule(r, 0, QString(), Qt::AlignCenter);
  Grille->setUpdatesEnabled(true);
  Grille->setCurrentCell(l.rangeeSelectionnee, 0);
}

void ListPret::Form_Unload() {
  if (m_dechargee || !m_principale)
    return;
  m_dechargee = true;
  Filmorel &f = *m_principale;
  // Unloaded: the next listing loads a fresh window.
  if (f.listpret == this)
    f.listpret = nullptr;
  f.v().typeListe = 0;
  // A box left empty or cut after its point still needs a number.
  for (QLineEdit *boite : {mg, md, mh, mb})
    if (!boite->hasAcceptableInput()) {
      QString texte = boite->text();
      boite->validator()->fixup(texte);
      boite->setText(texte);
    }
  f.fermetureFenetreSecondaire();
  if (modifEnCours == 1)
    f.sauver_ini();
  modifEnCours = 0;
}

void ListPret::closeEvent(QCloseEvent *e) {
  Form_Unload();
  Timer1->stop();
  e->accept();
  // Each listing opens a fresh window: a closed one is not kept.
  deleteLater();
}

bool ListPret::eventFilter(QObject *o, QEvent *e) {
  // Key preview: the window sees Esc whichever control has the focus. Only
  // an Esc pressed here counts, not the release of one that closed a box.
  if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
    auto *w = qobject_cast<QWidget *>(o);
    auto *k = static_cast<QKeyEvent *>(e);
    if (w && w->window() == this && k->key() == Qt::Key_Escape && !k->isAutoRepeat()) {
      if (e->type() == QEvent::KeyPress)
        m_echapPressee = true;
      else if (m_echapPressee) {
        m_echapPressee = false;
        close();
      }
    }
  }
  return QWidget::eventFilter(o, e);
}
