#pragma once
#include <QWidget>

struct Variables;
class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The selection dialog "import": a list of titles with a check box each, the
// count of ticked ones, and whether the covers go along. It keeps
// `nbSelection` and `selectionAnnulee` of the shared state up to date.
// Closing it (action button or close box, not `annuler`) is when the export
// or import that opened it runs: `fermee` is emitted while the ticks can
// still be read.
class FenetreImport : public QWidget {
  Q_OBJECT
public:
  explicit FenetreImport(Variables &v);

  // Replaces the items, none ticked, and shows the counter.
  void remplir(const QStringList &titres);
  QList<int> coches() const; // 0-based items, ascending
  bool avecJackets() const;

  QListWidget *List;
  QLabel *nbselect;
  QCheckBox *jacket;
  QPushButton *selectall;
  QPushButton *annuler;
  QPushButton *button;

signals:
  void fermee(bool annulee);

protected:
  void closeEvent(QCloseEvent *e) override;

private:
  void List_ItemCheck(QListWidgetItem *item);
  void selectall_Click();
  void majCompteur();

  Variables &m_v;
  bool m_ferme = false;
};
