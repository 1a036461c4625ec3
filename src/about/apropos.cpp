#include "about/about.h"
#include "mainwindow/filmorel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

About::About() : QWidget(nullptr, Qt::Dialog) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("A propos de ..."));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(380, 210);

  auto *image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setPixmap(QPixmap(QStringLiteral(":/apropos.png")).scaled(32, 32));
  image->setGeometry(20, 20, 32, 32);

  auto *titre = new QLabel(QStringLiteral("F I L M O R E L"), this);
  titre->setObjectName(QStringLiteral("lblTitle"));
  titre->setFont(QFont(QStringLiteral("Arial Black"), 18, QFont::Black));
  titre->setGeometry(70, 14, 300, 40);

  auto *version = new QLabel(QStringLiteral("Version : 2.6     /     Novembre 2004"), this);
  version->setObjectName(QStringLiteral("lblVersion"));
  version->setGeometry(70, 60, 300, 22);

  auto *ligne1 = new QFrame(this);
  ligne1->setFrameShape(QFrame::HLine);
  ligne1->setFrameShadow(QFrame::Sunken);
  ligne1->setGeometry(10, 92, 360, 4);

  auto *avertissement = new QLabel(QString(), this);
  avertissement->setObjectName(QStringLiteral("lblDisclaimer"));
  avertissement->setGeometry(20, 100, 340, 50);

  auto *ligne2 = new QFrame(this);
  ligne2->setFrameShape(QFrame::HLine);
  ligne2->setFrameShadow(QFrame::Sunken);
  ligne2->setGeometry(10, 152, 360, 4);

  auto *ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setGeometry(270, 166, 90, 30);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

void About::keyReleaseEvent(QKeyEvent *e) {
  if (e->key() == Qt::Key_Escape)
    close();
  else
    QWidget::keyReleaseEvent(e);
}

void About::closeEvent(QCloseEvent *e) {
  emit ferme();
  QWidget::closeEvent(e);
}

void Filmorel::SM_APropos_Click() {
  // Each showing loads a fresh window.
  auto *about = new About;
  connect(about, &About::ferme, this, &Filmorel::fermetureFenetreSecondaire);
  ouvrirFenetreSecondaire(about);
}
