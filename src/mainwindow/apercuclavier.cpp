#include "mainwindow/apercuclavier.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ApercuClavier::ApercuClavier(QWidget *fenetre, Action action)
    : QObject(fenetre), m_fenetre(fenetre), m_action(std::move(action)) {
  m_delai.setSingleShot(true);
  m_delai.setInterval(25); // well under the repeat interval of any keyboard
  connect(&m_delai, &QTimer::timeout, this, &ApercuClavier::agir);
  qApp->installEventFilter(this);
}

ApercuClavier::~ApercuClavier() { qApp->removeEventFilter(this); }

void ApercuClavier::oublier() {
  m_pressees.clear();
  m_delai.stop();
  m_attente = {};
}

// Keys reach a window only while it has the keyboard: a press seen here went
// to the active window, and losing activation forgets the keys pressed.
bool ApercuClavier::disponible() const {
  return m_fenetre->isEnabled() && !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void ApercuClavier::agir() {
  m_delai.stop();
  const Attente a = std::exchange(m_attente, {});
  if (a.touche && disponible())
    m_action(a.touche, a.modificateurs);
}

bool ApercuClavier::eventFilter(QObject *o, QEvent *e) {
  switch (e->type()) {
  case QEvent::WindowDeactivate:
  case QEvent::Hide:
    if (o == m_fenetre)
      oublier();
    break;
  case QEvent::KeyPress:
  case QEvent::KeyRelease: {
    // The filter sees an event on the window handle, then on the focused
    // widget and on each parent it is passed up to: only widgets of the
    // window count, and the set makes the later deliveries do nothing.
    auto *w = qobject_cast<QWidget *>(o);
    auto *k = static_cast<QKeyEvent *>(e);
    if (!w || w->window() != m_fenetre || k->isAutoRepeat())
      break;
    const int touche = k->key();
    if (!disponible()) {
      oublier();
      break;
    }
    if (e->type() == QEvent::KeyPress) {
      if (m_attente.touche == touche && m_attente.temps == k->timestamp() && m_attente.temps != 0) {
        m_delai.stop(); // the pair of a repeat: the key is still held
        m_pressees.insert(touche, m_attente.modificateurs);
        m_attente = {};
        break;
      }
      if (m_attente.touche)
        agir(); // keys act in the order they were released
      m_pressees.insert(touche, k->modifiers());
      break;
    }
    if (!m_pressees.contains(touche))
      break;
    const Qt::KeyboardModifiers modificateurs = m_pressees.take(touche) | k->modifiers();
    if (m_attente.touche)
      agir();
    if (k->timestamp() == 0) {
      m_action(touche, modificateurs); // sent by the program itself: no repeat to wait for
    } else {
      m_attente = {touche, modificateurs, k->timestamp()};
      m_delai.start();
    }
    break;
  }
  default:
    break;
  }
  return false;
}
