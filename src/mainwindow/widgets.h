#pragma once
#include <QComboBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QValidator>
#include <QWidget>

// Lets only ASCII digits through, as a bar code holds. Plain code: a
// regular expression would compile PCRE at start-up for the same test.
class Chiffres : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString &texte, int &) const override;
};

// Multi-line text box with a maximum length. Line breaks are stored as
// CR LF, as the card files hold them, and count as two characters.
class ZoneTexte : public QPlainTextEdit {
  Q_OBJECT
public:
  explicit ZoneTexte(QWidget *parent = nullptr);
  void setMaxLength(int n) { m_max = n; }
  int maxLength() const { return m_max; }
  QString text() const;               // CR LF line breaks
  void setText(const QString &texte); // accepts CR LF, CR or LF
  int longueur() const { return int(text().size()); }

protected:
  void keyPressEvent(QKeyEvent *e) override;
  void insertFromMimeData(const QMimeData *source) override;
  void inputMethodEvent(QInputMethodEvent *e) override;
  void focusInEvent(QFocusEvent *e) override;

private:
  QString ajuste(const QString &texte) const; // cut to the room left
  int place() const { return m_max - longueur(); }
  int m_max = 32767;
  bool m_curseurAuDebut = false;
};

// Drop-down list that offers only its items, yet shows a stored value that
// is not one of them (an old card may hold any text) and gives it back
// unchanged until the user picks an item.
class ListeDeroulante : public QComboBox {
  Q_OBJECT
public:
  explicit ListeDeroulante(const QStringList &items, QWidget *parent = nullptr);
  void setTexte(const QString &texte);
  QString texte() const;

private:
  QString m_inconnue;
};

// Editable combo box holding a lookup list; the sorted ones insert each item
// at its place in French alphabetical order, case ignored.
// With a maximum length, typing stops at it; a longer text set by the program
// (an item of dvd.ini, a value shown) stays whole, may be shortened, never
// grows by typing.
class ComboListe : public QComboBox {
  Q_OBJECT
public:
  ComboListe(bool triee, QWidget *parent = nullptr);
  void ajouterItem(const QString &item);
  QStringList items() const;
  bool triee() const { return m_triee; }
  void setMaxLength(int n) { m_max = n; }
  int maxLength() const { return m_max; }
  // Hides QComboBox's: a text set by the program is never refused.
  void setEditText(const QString &texte);

private:
  friend class LimiteListe;
  bool m_triee;
  int m_max = 0; // 0: no limit
  bool m_parProgramme = false;
  QString m_texte; // the text before the change being checked
};

// A picture at the size a box shows it, kept in pieces: what lies under an
// opaque child is never seen, so it is neither kept in memory nor cached.
struct Morceaux {
  QSize taille;                            // of the whole picture
  QList<std::pair<QPoint, QImage>> pieces; // each at its place in it
  bool isNull() const { return pieces.isEmpty(); }
  QRegion region() const;
  static Morceaux entiere(const QImage &image);
};

// A picture drawn as it is, whatever the enabled state of its parents (a
// disabled label would grey it out), stretched to the widget, or kept in its
// proportions and centred. Without a picture it fills with its fallback
// colour, if it has one. The stretched copy is made once per size, not at
// every paint.
class ImageBox : public QWidget {
  Q_OBJECT
public:
  explicit ImageBox(QWidget *parent = nullptr) : QWidget(parent) {}
  // False (and an empty picture) when the file is missing or not a picture.
  bool charger(const QString &chemin);
  // The same for a picture shown again and again (backgrounds, default
  // cover): decoded once, see imageFixe(). A stretched one keeps only what
  // its opaque children leave visible.
  bool chargerFixe(const QString &chemin);
  void vider();
  QString chemin() const { return m_chemin; }
  void setSecours(const QColor &couleur) { m_secours = couleur; }
  void setProportions(bool garder) { m_proportions = garder; }

protected:
  void paintEvent(QPaintEvent *e) override;

private:
  // `fichierEntier`: the picture is its file whole, not cut nor reduced.
  bool montrer(const Morceaux &image, const QString &chemin, bool fichierEntier);
  QRegion regionVue() const; // the box less its visible opaque descendants
  // Images, not pixmaps: the raster paint engine draws both alike, and an
  // image shares its pixels with the cache of imageFixe().
  Morceaux m_image;
  QImage m_entiere; // the whole file, when kept or once a paint needed it
  QImage m_etire;   // m_entiere at the widget's size in device pixels
  QString m_chemin;
  QColor m_secours;
  bool m_proportions = false;
};

// The picture of `chemin` scaled to `taille`, decoded once while the file
// keeps its path, size and modification time: kept in memory, and written
// under the user's cache folder (never the data folder) so that the next
// start-up reads the pixels back without decoding. Only the rectangles of
// `garder` are kept (all of it when empty). Null when the file is missing
// or not a picture.
Morceaux imageFixe(const QString &chemin, const QSize &taille, Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio,
                   const QRegion &garder = {});
// Forgets the pictures kept in memory; the cache files stay (tests read
// them back that way).
void oublierImagesFixes();

// Fusion draws a line edit's rounded frame afresh at every repaint, and
// browsing repaints every field of every card: with Fusion, the framed line
// edits of `fenetre` get their frame drawn once per size, state and palette,
// then copied.
void cadresEnCache(QWidget *fenetre);
