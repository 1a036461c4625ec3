#pragma once
#include "platform/dialogues.h"
#include <QList>
#include <QString>

class QWidget;

// The real QMessageBox and QInputDialog boxes, answered with real keys as a
// user does: the key is pressed on the box (which closes on the press) and
// its release goes, once the handler that opened the box has returned, to
// whatever has the focus then (relacher()). A box nobody expected fails the
// test and is answered with Esc.
class DialoguesClavier : public DialoguesQt {
public:
  ~DialoguesClavier() override;
  void repondre(Qt::Key touche) { m_reponses.append(touche); } // answers the next box
  // Sends the releases of the keys that answered boxes to the focused
  // widget, or to `ailleurs`'s focus widget when no window has the focus.
  void relacher(QWidget *ailleurs);

  int message(const QString &texte, int style, const QString &titre) override {
    return armer(texte), DialoguesQt::message(texte, style, titre);
  }
  bool saisie(const QString &question, const QString &titre, QString &reponse, const QString &defaut,
              const QStringList &propositions) override {
    return armer(question), DialoguesQt::saisie(question, titre, reponse, defaut, propositions);
  }

  QStringList boites; // text of every box shown, in order

private:
  void armer(const QString &boite);
  QList<Qt::Key> m_reponses, m_relachees;
};
