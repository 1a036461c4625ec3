#include "mainwindow/filmorel.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QImageReader>
#include <QItemSelectionModel>
#include <QListView>
#include <QTreeView>

// The cover browser: a folder tree and the pictures of the chosen folder.
// Every edit starts in the jackets folder of the data folder.
void Filmorel::preparerJackets() {
  if (!modeleDossiers) {
    modeleDossiers = new QFileSystemModel(this);
    modeleDossiers->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    modeleDossiers->setReadOnly(true);
    modeleDossiers->setRootPath(QString());
    Dir1->setModel(modeleDossiers);
    Dir1->setHeaderHidden(true);
    for (int c = 1; c < modeleDossiers->columnCount(); ++c)
      Dir1->hideColumn(c);
    Dir1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The folders load in the background: once those above the chosen one
    // are there, bring it into view.
    connect(modeleDossiers, &QFileSystemModel::directoryLoaded, this, [this](const QString &dossier) {
      const QString ici = modeleDossiers->filePath(Dir1->currentIndex());
      if (!ici.isEmpty() && (ici + u'/').startsWith(QDir(dossier).absolutePath() + u'/'))
        Dir1->scrollTo(Dir1->currentIndex(), QAbstractItemView::PositionAtTop);
    });
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { Dir1_Change(); });

    modeleFichiers = new QFileSystemModel(this);
    modeleFichiers->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    modeleFichiers->setNameFilters({QStringLiteral("*.jpg"), QStringLiteral("*.bmp")});
    // Otherwise files that do not match are listed greyed out.
    modeleFichiers->setNameFilterDisables(false);
    modeleFichiers->setReadOnly(true);
    File1->setModel(modeleFichiers);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    File1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(File1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { File1_Click(); });
  }
  m_v.jacketChoisie = 0;
  cheminJacketChoisie.clear();
  File1->selectionModel()->clear();

  QString dossier = cheminFichier(QStringLiteral("jackets"));
  if (!QFileInfo(dossier).isDir())
    dossier = m_v.cheminAppli;
  ouvrirDossier(dossier);
  // Also when the tree was already there: the file list may show another folder.
  Dir1_Change();
}

// The tree starts above every drive, so a cover can come from anywhere; the
// shortcuts bring it back to the data folder or home.
void Filmorel::ouvrirDossier(const QString &dossier) {
  if (!modeleDossiers)
    return;
  const QModelIndex ici = modeleDossiers->index(QDir(dossier).absolutePath());
  Dir1->setCurrentIndex(ici);
  Dir1->scrollTo(ici, QAbstractItemView::PositionAtTop);
  Dir1->expand(ici);
}

void Filmorel::Dir1_Change() {
  if (!modeleDossiers)
    return;
  const QString chemin = modeleDossiers->filePath(Dir1->currentIndex());
  if (chemin.isEmpty())
    return;
  File1->setRootIndex(modeleFichiers->setRootPath(chemin));
}

void Filmorel::File1_Click() {
  const QModelIndexList choisis = File1->selectionModel()->selectedIndexes();
  if (choisis.size() != 1)
    return;
  const QString chemin = modeleFichiers->filePath(choisis.first());
  // Checked before the box is touched: a file that is no readable picture
  // leaves the cover shown and is not taken as a pick.
  if (QImageReader(chemin).read().isNull())
    return;
  jacket->charger(chemin);
  cheminJacketChoisie = chemin;
  m_v.jacketChoisie = 1;
}
