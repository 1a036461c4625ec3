#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class Dialogues;
class Filmorel;
class ListPret;
class Imprimante;
class MesuresImpression;
class QTableWidget;
class QWidget;
struct Variables;

// What a print of the list window needs, taken when the user clicks
// "Imprimer": the grid's cells and the globals that describe the listing.
struct GrilleImprimable {
  QList<QStringList> lignes; // every row of the grid, row 0 holds the heads
  QList<int> largeurs;       // column widths; only their ratios matter
  int typeListe = 0;         // 0 catalogue, 1 loans and filtered, 2 loan history, 3 buyer
  int reponse = 0;           // 7: the catalogue is in alphabetical order
  QString acheteurChoisi;
  QString titreFiche;        // title field of the current card (loan history)
  QString margeGauche, margeHaut;
  QString date;              // print date, dd/MM/yyyy
};

// One drawing of the report, in millimetres from the top-left corner of the
// printable area.
struct OpDessin {
  enum Genre { Texte, Trait, Ligne, Rectangle, NouvellePage };
  Genre genre = Texte;
  double x = 0, y = 0;   // Texte: top-left corner; Ligne, Rectangle: first point
  double x2 = 0, y2 = 0; // Ligne, Rectangle: second point
  QString texte;
  double points = 0;     // Texte: font size (always bold Arial)
  double largeurMax = 0; // Texte: what goes further is cut (0: no limit)
  int pixels = 0;        // Trait: line width in printer pixels
};

struct MiseEnPage {
  QList<OpDessin> ops;
  int pages = 1;
};

namespace impression {
inline const QString Police = QStringLiteral("Arial");

QString titre(int typeListe, const QString &acheteur);
QString description(int typeListe, const QString &acheteur);
QString texteTri(int reponse);
QString confirmation(const GrilleImprimable &g, const QString &peripherique, int pages);
// A margin box's text as millimetres: its leading number, 0 when none.
double millimetres(const QString &texte);
// The largest margins that keep the body (left) and the framed title (top)
// on the printable area: the body starts at 20 mm less the left margin, the
// frame 12 mm less the top one.
inline constexpr double MargeGaucheMax = 20, MargeHautMax = 12;
// Brings a margin that would put text off the page to the nearest value
// that fits; returns the warnings to show.
QStringList ramenerMarges(GrilleImprimable &g);
// The refusal of a typed margin: `cote` "gauche" or "haute".
QString margeTropGrande(const QString &cote, double max);

// The whole report, page by page.
MiseEnPage mettreEnPage(const GrilleImprimable &g, const MesuresImpression &mesures);
// Draws it; the caller ends the document.
void executer(const MiseEnPage &m, Imprimante &imp);

// imprimer_Click: the confirmation with the page count, then the print,
// with the hourglass on `fenetre` meanwhile. True when printed.
bool imprimer(const GrilleImprimable &g, Imprimante &imp, Dialogues &dlg, QWidget *fenetre = nullptr);

// The snapshot of a list window's grid and of the globals that go with it.
GrilleImprimable depuis(const QTableWidget &grille, const Variables &v, const QString &date);
// Gives a list window its printing: "Imprimer", "Configuration  Imprimante"
// and the printer name of `printdefaut`.
void brancher(ListPret &fenetre, Filmorel &f);
} // namespace impression
