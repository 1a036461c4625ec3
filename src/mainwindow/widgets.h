#pragma once
#include <QComboBox>
#include <QImage>
#include <QPlainTextEdit>
#include <QWidget>

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
  // cover): decoded once, see imageFixe().
  bool chargerFixe(const QString &chemin);
  void vider();
  const QImage &image() const { return m_image; }
  QString chemin() const { return m_chemin; }
  void setSecours(const QColor &couleur) { m_secours = couleur; }
  void setProportions(bool garder) { m_proportions = garder; }

protected:
  void paintEvent(QPaintEvent *e) override;

private:
  bool montrer(const QImage &image, const QString &chemin);
  // Images, not pixmaps: the raster paint engine draws both alike, and an
  // image shares its pixels with the cache of imageFixe().
  QImage m_image;
  QImage m_etire; // m_image at the widget's size in device pixels
  QString m_chemin;
  QColor m_secours;
  bool m_proportions = false;
};

// The picture of `chemin` scaled to `taille`, decoded once while the file
// keeps its path, size and modification time: kept in memory, and written
// under the user's cache folder (never the data folder) so that the next
// start-up reads the pixels back without decoding. Null when the file is
// missing or not a picture.
QImage imageFixe(const QString &chemin, const QSize &taille, Qt::AspectRatioMode mode = Qt::IgnoreAspectRatio);

// Fusion draws a line edit's rounded frame afresh at every repaint, and
// browsing repaints every field of every card: with Fusion, the framed line
// edits of `fenetre` get their frame drawn once per size, state and palette,
// then copied.
void cadresEnCache(QWidget *fenetre);
