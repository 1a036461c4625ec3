#pragma once
#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;
class QWidget;

// Key preview of one window: it sees the keys of every widget of the window
// before they do, and hands over the release of each key whose press went to
// one of them while the window was active and no box or menu was open. A key
// that answered a box, chose a menu entry or was pressed in another window
// does nothing here; each physical key acts once, on its release, whatever
// order presses and releases come in; a held key acts once.
class ApercuClavier : public QObject {
  Q_OBJECT
public:
  using Action = std::function<void(int touche, Qt::KeyboardModifiers modificateurs)>;
  // Filters the whole application for `fenetre`; owned by it.
  ApercuClavier(QWidget *fenetre, Action action);
  ~ApercuClavier() override;
  // Keys pressed so far no longer act when released.
  void oublier();

protected:
  bool eventFilter(QObject *o, QEvent *e) override;

private:
  bool disponible() const;
  void agir();

  QWidget *m_fenetre;
  Action m_action;
  QHash<int, Qt::KeyboardModifiers> m_pressees; // modifiers seen while each was down
  // A window system may report auto-repeat as release/press pairs with the
  // same time stamp, and Qt does not always pair them: a stamped release
  // acts a moment later, unless the press of the same key and time follows.
  struct Attente {
    int touche = 0;
    Qt::KeyboardModifiers modificateurs;
    quint64 temps = 0;
  } m_attente;
  QTimer m_delai;
};
