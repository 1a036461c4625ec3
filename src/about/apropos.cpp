#include "about/about.h"
#include "mainwindow/apercuclavier.h"
#include "mainwindow/filmorel.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPushButton>

About::About() : QWidget(nullptr, Qt::Dialog) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("A propos de ..."));
  setAttribute(Qt::WA_DeleteOnClose);

  auto *image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image1"));
  image->setPixmap(QPixmap(QStringLiteral(":/apropos.png"), "PNG").scaled(32, 32));

  auto *titre = new QLabel(QStringLiteral("F I L M O R E L"), this);
  titre->setObjectName(QStringLiteral("lblTitle"));
  titre->setFont(QFont(QStringLiteral("Arial Black"), 18, QFont::Black));

  auto *version = new QLabel(QStringLiteral("Version : 2.6     /     Novembre 2004"), this);
  version->setObjectName(QStringLiteral("lblVersion"));

  auto *avertissement = new QLabel(QString(), this);
  avertissement->setObjectName(QStringLiteral("lblDisclaimer"));
  avertissement->setWordWrap(true);
  avertissement->setMinimumHeight(avertissement->fontMetrics().lineSpacing() * 3);

  auto ligne = [this] {
    auto *l = new QFrame(this);
    l->setFrameShape(QFrame::HLine);
    l->setFrameShadow(QFrame::Sunken);
    return l;
  };
  auto *ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));

  auto *textes = new QVBoxLayout;
  textes->addWidget(titre);
  textes->addWidget(version);
  auto *entete = new QHBoxLayout;
  entete->addWidget(image, 0, Qt::AlignTop);
  entete->addSpacing(12);
  entete->addLayout(textes, 1);
  auto *tout = new QVBoxLayout(this);
  tout->addLayout(entete);
  tout->addWidget(ligne());
  tout->addWidget(avertissement, 1);
  tout->addWidget(ligne());
  tout->addWidget(ok, 0, Qt::AlignRight);
  tout->setSizeConstraint(QLayout::SetFixedSize);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  new ApercuClavier(this, [this](int touche, Qt::KeyboardModifiers) {
    if (touche == Qt::Key_Escape)
      close();
  });
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
