#include "support/dialoguesclavier.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

DialoguesClavier::~DialoguesClavier() {
  EXPECT_TRUE(m_reponses.isEmpty()) << "boxes expected but never shown";
  EXPECT_TRUE(m_relachees.isEmpty()) << "keys never released";
}

void DialoguesClavier::armer(const QString &boite) {
  boites.append(boite);
  EXPECT_FALSE(m_reponses.isEmpty()) << "unexpected box: " << boite.toStdString();
  const Qt::Key touche = m_reponses.isEmpty() ? Qt::Key_Escape : m_reponses.takeFirst();
  // Runs inside the box's own event loop, once the box is up.
  auto *attente = new QTimer;
  attente->start(5);
  QObject::connect(attente, &QTimer::timeout, attente, [this, attente, touche] {
    auto *boite = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!boite || !boite->isVisible())
      return;
    attente->deleteLater();
    attente->stop();
    QTest::keyPress(boite->focusWidget() ? boite->focusWidget() : boite, touche);
    EXPECT_FALSE(boite->isVisible()) << "the key did not answer the box";
    m_relachees.append(touche);
  });
}

void DialoguesClavier::relacher(QWidget *ailleurs) {
  for (Qt::Key touche : std::exchange(m_relachees, {})) {
    QWidget *cible = QApplication::focusWidget();
    if (!cible || !cible->isVisible())
      cible = ailleurs->focusWidget() ? ailleurs->focusWidget() : ailleurs;
    QTest::keyRelease(cible, touche);
  }
}
