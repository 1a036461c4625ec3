#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

class ComboListe;
class Filmorel;
class QLabel;
class QLineEdit;
class QPushButton;

// The seven "Recherche..." dialogs that ask for the criterion of a filtered
// listing: one window, a label, a combo box (filled from a lookup list of the
// main window) or a text box, OK and Annuler. Closing it without cancelling
// runs the listing. Not modal: the main window is disabled while it is open.
// Enter answers OK (or the focused button), Esc answers Annuler.
class ChoixDialogue : public QWidget {
  Q_OBJECT
public:
  enum Variante { Genre, Editeur, Acheteur, Emprunteur, Acteur, Realisateur, Terme };

  // Creates, fills and shows the dialog; it deletes itself once closed.
  static ChoixDialogue *ouvrir(Filmorel &principale, Variante variante);

  Variante variante() const { return m_variante; }
  bool avecListe() const { return combo != nullptr; }
  // The text of the input box, as typed or picked.
  QString critere() const;

  // 1 when the dialog is cancelled, decided again at every opening.
  int annule = 0;

  // Controls, by their names; `combo` or `texte` is null by variant.
  QLabel *Label1;
  ComboListe *combo = nullptr;
  QLineEdit *texte = nullptr;
  QPushButton *OKButton;
  QPushButton *CancelButton;

protected:
  void closeEvent(QCloseEvent *e) override;

private:
  ChoixDialogue(Filmorel &principale, Variante variante);
  void Form_Load();
  void OKButton_Click();
  void CancelButton_Click();
  void Form_Unload();

  QPointer<Filmorel> m_principale;
  Variante m_variante;
  bool m_dechargee = false;
};
