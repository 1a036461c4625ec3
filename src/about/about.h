#pragma once
#include <QWidget>

// "A propos de ..." window: title, version and an empty disclaimer.
class About : public QWidget {
  Q_OBJECT
public:
  About();

signals:
  void ferme();

protected:
  void closeEvent(QCloseEvent *e) override;
};
