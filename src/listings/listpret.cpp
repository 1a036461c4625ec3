#include "listings/listpret.h"

#include "mainwindow/apercuclavier.h"
#include "mainwindow/filmorel.h"

#include <QCloseEvent>
#include <QCollator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

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

// Dates by day, then numbers and words as a French reader orders them.
int comparer(const QString &a, const QString &b) {
  static const QRegularExpression date(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{2,4}$"));
  if (date.match(a).hasMatch() && date.match(b).hasMatch()) {
    const qint64 ja = listes::jourAchat(a), jb = listes::jourAchat(b);
    return ja < jb ? -1 : int(ja > jb);
  }
  static const QCollator francais = [] {
    QCollator c(QLocale(QLocale::French, QLocale::France));
    c.setNumericMode(true);
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return francais.compare(a, b);
}
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

  sujet = new QLabel(this);
  sujet->setObjectName(QStringLiteral("sujet"));
  QFont gras = sujet->font();
  gras.setBold(true);
  sujet->setFont(gras);
  sujet->setVisible(false);
  filtre = new QLineEdit(this);
  filtre->setObjectName(QStringLiteral("filtre"));
  filtre->setPlaceholderText(QStringLiteral("Texte à garder dans les lignes"));
  filtre->setClearButtonEnabled(true);
  auto *recherche = new QHBoxLayout;
  recherche->addWidget(new QLabel(QStringLiteral("Filtrer :"), this));
  recherche->addWidget(filtre, 1);

  auto *tout = new QVBoxLayout(this);
  tout->addWidget(sujet);
  tout->addLayout(recherche);
  tout->addWidget(Grille, 1);
  tout->addLayout(boutons);
  tout->addLayout(imprimante);
  tout->addLayout(marges);
  resize(640, 680);
  setTabOrder(filtre, Grille);

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
  connect(filtre, &QLineEdit::textChanged, this, &ListPret::filtrer);
  connect(Grille, &QTableWidget::cellClicked, this, [this](int r, int c) {
    if (r == 0)
      trier(c);
  });
  connect(Grille, &QTableWidget::cellDoubleClicked, this, [this](int r, int) { ouvrirFiche(r); });
  // Esc closes the window whichever control has the focus; Return on the
  // grid opens the card of its line.
  new ApercuClavier(this, [this](int touche, Qt::KeyboardModifiers) {
    if (touche == Qt::Key_Escape)
      close();
    else if ((touche == Qt::Key_Return || touche == Qt::Key_Enter) && focusWidget() == Grille)
      ouvrirFiche(Grille->currentRow());
  });

  Form_Load();
}

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
  sujet->setText(l.sujet);
  sujet->setVisible(!l.sujet.isEmpty());
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

void ListPret::trier(int colonne) {
  m_decroissant = colonne == m_colonneTri && !m_decroissant;
  m_colonneTri = colonne;
  QList<int> ordre(m_listing.lignes.size());
  std::iota(ordre.begin(), ordre.end(), 0);
  std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
    const int c = comparer(m_listing.lignes[a].value(colonne), m_listing.lignes[b].value(colonne));
    return m_decroissant ? c > 0 : c < 0;
  });
  // Lines are grid rows 1 to n; the heading and the blank rows stay put.
  QHeaderView *rangees = Grille->verticalHeader();
  for (int v = 0; v < ordre.size(); ++v)
    rangees->moveSection(rangees->visualIndex(ordre[v] + 1), v + 1);
}

void ListPret::filtrer(const QString &texte) {
  const int premiere = m_listing.typeListe == 2 ? 0 : 1; // line numbers are not searched
  for (int i = 0; i < m_listing.lignes.size(); ++i) {
    const QStringList &ligne = m_listing.lignes[i];
    bool garde = texte.isEmpty();
    for (int c = premiere; !garde && c < ligne.size(); ++c)
      garde = ligne[c].contains(texte, Qt::CaseInsensitive);
    Grille->setRowHidden(i + 1, !garde);
  }
}

void ListPret::ouvrirFiche(int rangee) {
  const int ligne = rangee - 1;
  if (ligne < 0 || ligne >= m_listing.positions.size() || !m_principale)
    return;
  const int position = m_listing.positions[ligne];
  Filmorel *f = m_principale;
  close();
  f->afficherPosition(position);
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
