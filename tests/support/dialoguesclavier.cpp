#include "support/dialoguesclavier.h"

#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

DialoguesClavier::~DialoguesClavier() {
  EXPECT_TRUE(m_reponses.isEmpty()) << "boxes expected but never shown";
  EXPECT_TRUE(m_relachees.isEmpty()) << "keys never released";
}

DialoguesClavier &DialoguesClavier::repondre(Qt::Key touche, const QString &texte) {
  m_reponses.append({touche, texte});
  return *this;
}

void DialoguesClavier::armer(const QString &boite) {
  boites.append(boite);
  if (m_reponses.isEmpty())
    ADD_FAILURE() << "unexpected box: " << boite.toStdString();
  const auto reponse = m_reponses.isEmpty() ? std::pair{Qt::Key(0), QString()} : m_reponses.takeFirst();
  // Runs inside the box's own event loop, once the box is up.
  auto *attente = new QTimer;
  attente->setInterval(5);
  QObject::connect(attente, &QTimer::timeout, attente, [this, attente, reponse] {
    auto *boite = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!boite || !boite->isVisible())
      return;
    attente->deleteLater();
    attente->stop();
    if (!reponse.first) {
      boite->reject();
      return;
    }
    QWidget *cible = boite->focusWidget() ? boite->focusWidget() : boite;
    if (!reponse.second.isEmpty())
      QTest::keyClicks(cible, reponse.second);
    QTest::keyPress(cible, reponse.first);
    EXPECT_FALSE(boite->isVisible()) << "the key did not answer the box";
    m_relachees.append(reponse.first);
  });
  attente->start();
}

void DialoguesClavier::relacher(QWidget *ailleurs) {
  for (Qt::Key touche : std::exchange(m_relachees, {})) {
    QWidget *cible = QApplication::focusWidget();
    if (!cible || !cible->isVisible())
      cible = ailleurs->focusWidget() ? ailleurs->focusWidget() : ailleurs;
    QTest::keyRelease(cible, touche);
  }
}

int DialoguesClavier::message(const QString &texte, int style, const QString &titre) {
  armer(texte);
  return DialoguesQt::message(texte, style, titre);
}

bool DialoguesClavier::saisie(const QString &question, const QString &titre, QString &reponse,
                              const QString &defaut, const QStringList &propositions) {
  armer(question);
  return DialoguesQt::saisie(question, titre, reponse, defaut, propositions);
}
