#include "mainwindow/widgets.h"

#include "storage/controles.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QValidator>

namespace {
QString versCRLF(QString t) {
  t.replace(QChar::ParagraphSeparator, u'\n');
  t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
  return t.replace(u'\n', QLatin1String("\r\n"));
}
} // namespace

ZoneTexte::ZoneTexte(QWidget *parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
}

QString ZoneTexte::text() const { return versCRLF(toPlainText()); }

void ZoneTexte::setText(const QString &texte) {
  QString t = texte;
  t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
  setPlainText(t);
}

void ZoneTexte::keyPressEvent(QKeyEvent *e) {
  // Refuse what would go beyond the maximum, as a single-line box does.
  const QString saisi = e->text();
  const bool retour = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  if ((retour || (!saisi.isEmpty() && saisi.at(0).isPrint())) &&
      !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    int ajout = retour ? 2 : int(saisi.size());
    int remplace = int(versCRLF(textCursor().selectedText()).size());
    if (ajout - remplace > place())
      return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

QString ZoneTexte::ajuste(const QString &texte) const {
  // What fits in place of the selection, line breaks counted as CR LF.
  const int libre = place() + int(versCRLF(textCursor().selectedText()).size());
  QString t = versCRLF(texte);
  if (t.size() > libre) {
    t = t.left(libre);
    if (t.endsWith(u'\r'))
      t.chop(1);
  }
  return t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

void ZoneTexte::insertFromMimeData(const QMimeData *source) {
  // Paste and drop.
  if (source->hasText())
    textCursor().insertText(ajuste(source->text()));
}

void ZoneTexte::inputMethodEvent(QInputMethodEvent *e) {
  // Text committed by an input method (dead keys, compose) bypasses the keys.
  const QString t = ajuste(e->commitString());
  if (t.size() == e->commitString().size()) {
    QPlainTextEdit::inputMethodEvent(e);
    return;
  }
  QInputMethodEvent coupe(e->preeditString(), e->attributes());
  coupe.setCommitString(t, e->replacementStart(), e->replacementLength());
  QPlainTextEdit::inputMethodEvent(&coupe);
}

ListeDeroulante::ListeDeroulante(const QStringList &items, QWidget *parent) : QComboBox(parent) {
  addItems(items);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int i) {
    if (i >= 0)
      m_inconnue.clear();
  });
}

void ListeDeroulante::setTexte(const QString &texte) {
  int i = findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (i >= 0) {
    m_inconnue.clear();
    setCurrentIndex(i);
  } else {
    setCurrentIndex(-1);
    m_inconnue = texte;
    setPlaceholderText(texte);
  }
}

QString ListeDeroulante::texte() const {
  return currentIndex() >= 0 ? currentText() : m_inconnue;
}

// A validator, not QLineEdit's maximum length: that one would cut a longer
// item of the list when it is picked.
class LimiteListe : public QValidator {
public:
  explicit LimiteListe(ComboListe *c) : QValidator(c), m_c(c) {}
  State validate(QString &texte, int &) const override {
    if (m_c->m_max <= 0 || texte.size() <= m_c->m_max || m_c->m_parProgramme ||
        texte.size() <= m_c->m_texte.size() || m_c->findText(texte, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
      return Acceptable;
    return Invalid;
  }

private:
  ComboListe *m_c;
};

ComboListe::ComboListe(bool triee, QWidget *parent) : QComboBox(parent), m_triee(triee) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
  // No completion: the typed text must stay exactly as typed.
  setCompleter(nullptr);
  setValidator(new LimiteListe(this));
  connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &t) { m_texte = t; });
}

void ComboListe::setEditText(const QString &texte) {
  m_parProgramme = true;
  QComboBox::setEditText(texte);
  m_parProgramme = false;
}

void ComboListe::ajouterItem(const QString &item) {
  const QString garde = currentText();
  int pos = count();
  if (m_triee) {
    // After its equals; the list is always in order, so halve the range.
    int debut = 0;
    while (debut < pos) {
      const int milieu = (debut + pos) / 2;
      if (controles::comparerListe(itemText(milieu), item) <= 0)
        debut = milieu + 1;
      else
        pos = milieu;
    }
  }
  insertItem(pos, item);
  setEditText(garde);
}

QStringList ComboListe::items() const {
  QStringList l;
  for (int i = 0; i < count(); ++i)
    l << itemText(i);
  return l;
}

bool ImageBox::charger(const QString &chemin) {
  QImageReader lecteur(chemin);
  QImage image = lecteur.read();
  if (image.isNull()) {
    vider();
    return false;
  }
  m_pixmap = QPixmap::fromImage(image);
  m_chemin = chemin;
  update();
  return true;
}

void ImageBox::vider() {
  m_pixmap = QPixmap();
  m_chemin.clear();
  update();
}

void ImageBox::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (m_pixmap.isNull()) {
    if (m_secours.isValid())
      p.fillRect(rect(), m_secours);
    return;
  }
  QRect cible = rect();
  if (m_proportions)
    cible = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                m_pixmap.size().scaled(size(), Qt::KeepAspectRatio), rect());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(cible, m_pixmap);
}
