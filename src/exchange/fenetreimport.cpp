#include "exchange/fenetreimport.h"

#include "storage/variables.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {
// Last check state seen for an item, to count real changes only.
constexpr int kEtatVu = Qt::UserRole + 1;
} // namespace

FenetreImport::FenetreImport(Variables &v) : QWidget(nullptr, Qt::Dialog), m_v(v) {
  setObjectName(QStringLiteral("import"));
  setWindowTitle(QStringLiteral("Importer - Exporter"));
  setAttribute(Qt::WA_DeleteOnClose);

  List = new QListWidget(this);
  List->setObjectName(QStringLiteral("List"));

  nbselect = new QLabel(this);
  nbselect->setObjectName(QStringLiteral("nbselect"));
  nbselect->setFont(QFont(QStringLiteral("Arial"), 10, QFont::Bold));

  jacket = new QCheckBox(QStringLiteral("Inclure dans l'exportation les jackets"), this);
  jacket->setObjectName(QStringLiteral("jacket"));

  selectall = new QPushButton(QStringLiteral("&Tout sélectionner"), this);
  selectall->setObjectName(QStringLiteral("selectall"));
  annuler = new QPushButton(QStringLiteral("&Annuler"), this);
  annuler->setObjectName(QStringLiteral("annuler"));
  button = new QPushButton(QStringLiteral("&Importer"), this);
  button->setObjectName(QStringLiteral("button"));

  auto *boutons = new QHBoxLayout;
  for (QPushButton *b : {selectall, annuler, button})
    boutons->addWidget(b);
  auto *tout = new QVBoxLayout(this);
  tout->addWidget(List, 1);
  tout->addWidget(nbselect);
  tout->addWidget(jacket);
  tout->addLayout(boutons);
  resize(460, 520);

  connect(List, &QListWidget::itemChanged, this, &FenetreImport::List_ItemCheck);
  connect(selectall, &QPushButton::clicked, this, &FenetreImport::selectall_Click);
  connect(annuler, &QPushButton::clicked, this, [this] {
    m_v.selectionAnnulee = 1;
    close();
  });
  connect(button, &QPushButton::clicked, this, &QWidget::close);

  // Form_Load
  m_v.nbSelection = 0;
  m_v.selectionAnnulee = 0;
}

void FenetreImport::remplir(const QStringList &titres) {
  QSignalBlocker bloque(List);
  List->clear();
  for (const QString &t : titres) {
    auto *item = new QListWidgetItem(t, List);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(kEtatVu, false);
  }
  if (List->count() > 0)
    List->setCurrentRow(0);
  m_v.nbSelection = 0;
  majCompteur();
}

void FenetreImport::List_ItemCheck(QListWidgetItem *item) {
  const bool coche = item->checkState() == Qt::Checked;
  if (coche == item->data(kEtatVu).toBool())
    return; // another change than the tick
  {
    QSignalBlocker bloque(List);
    item->setData(kEtatVu, coche);
  }
  m_v.nbSelection += coche ? 1 : -1;
  majCompteur();
}

void FenetreImport::selectall_Click() {
  for (int i = 0; i < List->count(); ++i)
    List->item(i)->setCheckState(Qt::Checked);
}

void FenetreImport::majCompteur() {
  nbselect->setText(QStringLiteral("%1/%2").arg(m_v.nbSelection).arg(List->count()));
}

QList<int> FenetreImport::coches() const {
  QList<int> l;
  for (int i = 0; i < List->count(); ++i)
    if (List->item(i)->checkState() == Qt::Checked)
      l << i;
  return l;
}

bool FenetreImport::avecJackets() const { return jacket->isChecked(); }

void FenetreImport::closeEvent(QCloseEvent *e) {
  e->accept();
  if (m_ferme)
    return;
  m_ferme = true;
  // Out of sight before the operation and its messages run.
  hide();
  emit fermee(m_v.selectionAnnulee == 1);
}
