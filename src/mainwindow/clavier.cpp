#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

// Every row of the key table whose condition holds runs, in order, on the
// state of the moment: F5 after a successful validation also focuses the
// search box. The key preview hands over only keys pressed in this window.
void Filmorel::Form_KeyUp(int key, Qt::KeyboardModifiers modificateurs) {
  auto saisie = [this] { return valider->isVisible(); };
  auto navigation = [this, &saisie] { return !saisie() && !conteneur->isEnabled() && !m_v.focusScroll; };
  auto utilisable = [](QPushButton *b) { return b->isVisible() && b->isEnabled(); };
  const int position = VScroll1->value();

  if (navigation()) {
    int cible = position;
    switch (key) {
    case Qt::Key_Down:
      if (position != VScroll1->maximum())
        cible = position + 1;
      break;
    case Qt::Key_PageUp:
      cible = position > VScroll1->pageStep() ? position - VScroll1->pageStep() : VScroll1->minimum();
      break;
    case Qt::Key_PageDown:
      cible = position + VScroll1->pageStep() <= VScroll1->maximum() ? position + VScroll1->pageStep()
                                                                     : VScroll1->maximum();
      break;
    case Qt::Key_End:
      cible = VScroll1->maximum();
      break;
    case Qt::Key_Home:
      cible = 1;
      break;
    case Qt::Key_Up:
      if (position != VScroll1->minimum())
        cible = position - 1;
      break;
    default:
      break;
    }
    if (cible != position)
      VScroll1->setValue(cible);
  }
  if (key == Qt::Key_F1 && !saisie())
    SM_APropos_Click();
  if (key == Qt::Key_F2 && !saisie() && utilisable(modifier)) {
    ean->setReadOnly(false);
    modification();
  }
  if (key == Qt::Key_F3 && !saisie() && utilisable(supprimer))
    supprimer_Click();
  if (key == Qt::Key_F4 && historic->isVisible())
    voirhistoric();
  if (key == Qt::Key_F6 && !saisie() && utilisable(pret)) {
    ean->setReadOnly(false);
    pretdvd();
  }
  if (key == Qt::Key_F7 && !saisie() && utilisable(retour))
    retourdvd();
  if (key == Qt::Key_F5 && saisie())
    valider_Click();
  if (key == Qt::Key_F5 && !saisie() && !m_termine)
    eansearch->setFocus();
  if (key == Qt::Key_Escape) {
    if (saisie())
      annulerSaisie();
    else
      quitte();
  }
  // Ctrl or Alt with a letter is a shortcut (undo, a menu), not a search.
  const bool raccourci = modificateurs & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (key == Qt::Key_Z && modificateurs == Qt::ControlModifier && !saisie() && !m_termine)
    SM_Annuler_Click();
  if (key >= Qt::Key_A && key <= Qt::Key_Z && !raccourci && !saisie() && !m_termine) {
    m_v.reponseTexte = QChar(u'A' + (key - Qt::Key_A));
    recherchedirecte();
  }
}
