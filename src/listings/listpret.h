#pragma once
#include "listings/listing.h"
#include "storage/variables.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class Filmorel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

// The list window: shows one listing in the grid `Grille`, keeps the print
// margins and closes with OK, Esc or its close box. It is not modal: the main
// window is disabled while it is open. It is created without a parent and
// deletes itself when it closes (the next listing starts from a fresh one).
class ListPret : public QWidget {
  Q_OBJECT
public:
  explicit ListPret(Filmorel &principale);

  // Writes the listing into the grid: sizes, heads, lines, selected cell.
  void afficherListing(const Listing &l);
  const Listing &listing() const { return m_listing; }
  QString titre() const { return windowTitle(); }
  // The kind of listing shown (0 catalogue, 1 loans and filtered, 2 loan
  // history, 3 buyer), as printing reads it.
  int typeListe() const;
  // Text of a grid cell; empty when the cell was never written.
  QString texte(int rangee, int colonne) const;
  Filmorel *principale() const { return m_principale; }

  // Grid sizes are given in twips, 15 to a pixel.
  static int enPixels(int twips) { return (twips + 7) / 15; }

  // A margin box changed since the window opened: dvd.ini is rewritten when
  // the window closes. Kept apart from the main window's editing flag.
  int modifEnCours = 0;

  // Printing (wired by the printing code): the buttons call these when set.
  std::function<void()> surImprimer;
  std::function<void()> surConfigurer;
  // Name shown in `printdefaut` at each tick; the default printer's when unset.
  std::function<QString()> nomImprimante;

  // The view only: lines move or hide in the grid, whose cells keep the
  // listing as built (printing reads them). A heading clicked again reverses
  // the order.
  void trier(int colonne);
  void filtrer(const QString &texte);
  // Closes the window and shows the card of grid row `rangee` in the main
  // window; nothing for a row without a card.
  void ouvrirFiche(int rangee);

  // Controls, by their names.
  QLabel *sujet;
  QLineEdit *filtre;
  QTableWidget *Grille;
  QPushButton *Ok;
  QPushButton *imprimer;
  QPushButton *setup_printer;
  QLineEdit *printdefaut;
  QTimer *Timer1;
  QLineEdit *mg, *md, *mh, *mb;

  void Timer1_Timer();

protected:
  void closeEvent(QCloseEvent *e) override;

private:
  void Form_Load();
  void Form_Unload();
  QLineEdit *boiteMarge(const QString &nom, QString Variables::*marge);

  QPointer<Filmorel> m_principale;
  Listing m_listing;
  bool m_dechargee = false;
  int m_colonneTri = -1;
  bool m_decroissant = false;
};
