#include "mainwindow/widgets.h"

#include "storage/controles.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <cstring>
#include <memory>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>
#include <QTextBlock>
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
  // Straight into the document, laid out once and kept for painting:
  // setPlainText() lays the text out three times (select all, format, show
  // the cursor), then painting shapes it again; that was a quarter of the
  // time a card takes to show. The undo history goes, as with
  // setPlainText(); the cursor goes back to the start when the box is entered.
  QTextDocument *d = document();
  d->setUndoRedoEnabled(false);
  d->clear();
  QTextCursor c(d);
  c.beginEditBlock();
  c.insertText(t);
  for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
    b.layout()->setCacheEnabled(true);
  c.endEditBlock();
  d->setUndoRedoEnabled(true);
  verticalScrollBar()->setValue(0);
  m_curseurAuDebut = true;
}

void ZoneTexte::focusInEvent(QFocusEvent *e) {
  if (m_curseurAuDebut) {
    m_curseurAuDebut = false;
    setTextCursor(QTextCursor(document()));
  }
  QPlainTextEdit::focusInEvent(e);
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

bool ImageBox::charger(const QString &chemin) { return montrer(QImageReader(chemin).read(), chemin); }

bool ImageBox::chargerFixe(const QString &chemin) {
  const qreal dpr = devicePixelRatioF();
  return montrer(imageFixe(chemin, (QSizeF(size()) * dpr).toSize(),
                           m_proportions ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio),
                 chemin);
}

bool ImageBox::montrer(const QImage &image, const QString &chemin) {
  if (image.isNull()) {
    vider();
    return false;
  }
  if (image.cacheKey() == m_image.cacheKey() && chemin == m_chemin)
    return true; // the default cover again: nothing to repaint
  m_image = image;
  m_etire = QImage();
  m_chemin = chemin;
  // A stretched picture without transparency covers the box: what lies
  // below it is not painted.
  setAttribute(Qt::WA_OpaquePaintEvent, !m_proportions && !image.hasAlphaChannel());
  update();
  return true;
}

void ImageBox::vider() {
  m_image = m_etire = QImage();
  m_chemin.clear();
  setAttribute(Qt::WA_OpaquePaintEvent, m_secours.isValid());
  update();
}

void ImageBox::paintEvent(QPaintEvent *e) {
  QPainter p(this);
  if (m_image.isNull()) {
    if (m_secours.isValid())
      p.fillRect(e->rect(), m_secours);
    return;
  }
  QRect cible = rect();
  if (m_proportions)
    cible = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, m_image.size().scaled(size(), Qt::KeepAspectRatio),
                                rect());
  const qreal dpr = devicePixelRatioF();
  const QSize pixels = (QSizeF(cible.size()) * dpr).toSize();
  if (m_etire.size() != pixels)
    m_etire = m_image.size() == pixels ? m_image
                                       : m_image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // Only what is exposed: browsing repaints the fields, not the whole box.
  const QRect r = e->rect() & cible;
  p.drawImage(r, m_etire, QRectF(QPointF(r.topLeft() - cible.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}

namespace {
// A cached picture: the state of its source file and the size it was
// scaled to, then the pixels.
struct EnTete {
  char magie[8] = {'F', 'I', 'L', 'M', 'I', 'M', 'G', '2'};
  qint64 taille = 0, modifie = 0; // of the source file
  qint32 largeur = 0, hauteur = 0, mode = 0; // asked for
  qint32 format = 0, imageLargeur = 0, imageHauteur = 0, octetsParLigne = 0;
  bool memeSource(const EnTete &e) const {
    return std::memcmp(magie, e.magie, sizeof magie) == 0 && taille == e.taille && modifie == e.modifie &&
           largeur == e.largeur && hauteur == e.hauteur && mode == e.mode;
  }
};

QImage::Format formatAffiche(const QImage &image) {
  return image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// The pixels are mapped, not read: no copy, and the memory is the system's
// file cache, shared by every run. The file is replaced whole (QSaveFile),
// never changed in place, so the mapping stays valid.
QImage lireCache(const QString &fichier, const EnTete &voulu) {
  auto f = std::make_unique<QFile>(fichier);
  EnTete e;
  if (!f->open(QIODevice::ReadOnly) || f->read(reinterpret_cast<char *>(&e), sizeof e) != qint64(sizeof e) ||
      !e.memeSource(voulu) ||
      (e.format != QImage::Format_RGB32 && e.format != QImage::Format_ARGB32_Premultiplied) ||
      e.imageLargeur < 1 || e.imageHauteur < 1 || e.octetsParLigne != e.imageLargeur * 4 ||
      f->size() != qint64(sizeof e) + qint64(e.octetsParLigne) * e.imageHauteur)
    return {};
  const uchar *pixels = f->map(sizeof e, qint64(e.octetsParLigne) * e.imageHauteur);
  if (!pixels)
    return {};
  QFile *garde = f.release();
  return QImage(pixels, e.imageLargeur, e.imageHauteur, e.octetsParLigne, QImage::Format(e.format),
                [](void *fichier) { delete static_cast<QFile *>(fichier); }, garde);
}

// The cache is a convenience: a failed write only means decoding next time.
void ecrireCache(const QString &fichier, EnTete e, const QImage &image) {
  e.format = image.format();
  e.imageLargeur = image.width();
  e.imageHauteur = image.height();
  e.octetsParLigne = qint32(image.bytesPerLine());
  // A few data folders' pictures at most: the oldest entries make room.
  QDir dossier(QFileInfo(fichier).path());
  dossier.mkpath(QStringLiteral("."));
  const QStringList anciens = dossier.entryList(QDir::Files, QDir::Time);
  for (qsizetype i = 11; i < anciens.size(); ++i)
    dossier.remove(anciens[i]);
  QSaveFile f(fichier);
  if (f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char *>(&e), sizeof e) == qint64(sizeof e) &&
      f.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) == image.sizeInBytes())
    f.commit();
}
} // namespace

QImage imageFixe(const QString &chemin, const QSize &taille, Qt::AspectRatioMode mode) {
  // The window's pictures are loaded on the GUI thread only.
  static QHash<QString, std::pair<EnTete, QImage>> memoire;
  const QFileInfo info(chemin);
  if (!info.isFile() || taille.isEmpty())
    return {};
  EnTete voulu;
  voulu.taille = info.size();
  voulu.modifie = info.lastModified().toMSecsSinceEpoch();
  voulu.largeur = taille.width();
  voulu.hauteur = taille.height();
  voulu.mode = mode;
  const QString source = info.absoluteFilePath();
  auto &[etat, image] = memoire[source];
  if (!image.isNull() && etat.memeSource(voulu))
    return image;

  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                        QStringLiteral("/images/") +
                        QString::fromLatin1(QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex());
  image = lireCache(cache, voulu);
  if (image.isNull()) {
    image = QImageReader(chemin).read();
    if (image.isNull()) {
      memoire.remove(source);
      return {};
    }
    image = image.convertToFormat(formatAffiche(image))
                .scaled(taille, mode, Qt::SmoothTransformation);
    ecrireCache(cache, voulu, image);
  }
  etat = voulu;
  return image;
}

namespace {
class CadresEnCache : public QProxyStyle {
public:
  using QProxyStyle::QProxyStyle;
  void drawPrimitive(PrimitiveElement pe, const QStyleOption *o, QPainter *p, const QWidget *w) const override {
    const auto *cadre = qstyleoption_cast<const QStyleOptionFrame *>(o);
    if (pe != PE_PanelLineEdit || !cadre || o->rect.isEmpty())
      return QProxyStyle::drawPrimitive(pe, o, p, w);
    // Fusion draws it from the option alone: the option is the key.
    const qreal dpr = p->device()->devicePixelRatio();
    const QString cle = QStringLiteral("filmorel-cadre %1x%2 %3 %4 %5 %6 %7 %8")
                            .arg(o->rect.width())
                            .arg(o->rect.height())
                            .arg(uint(o->state))
                            .arg(o->palette.cacheKey())
                            .arg(cadre->lineWidth)
                            .arg(uint(cadre->features))
                            .arg(int(o->direction))
                            .arg(dpr);
    QPixmap image;
    if (!QPixmapCache::find(cle, &image)) {
      image = QPixmap((QSizeF(o->rect.size()) * dpr).toSize());
      image.setDevicePixelRatio(dpr);
      image.fill(Qt::transparent);
      QStyleOptionFrame ici = *cadre;
      ici.rect.moveTo(0, 0);
      QPainter peintre(&image);
      QProxyStyle::drawPrimitive(pe, &ici, &peintre, w);
      peintre.end();
      QPixmapCache::insert(cle, image);
    }
    p->drawPixmap(o->rect.topLeft(), image);
  }
};
} // namespace

void cadresEnCache(QWidget *fenetre) {
  if (QApplication::style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0)
    return;
  auto *style = new CadresEnCache(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(fenetre);
  for (QLineEdit *l : fenetre->findChildren<QLineEdit *>())
    if (l->hasFrame())
      l->setStyle(style);
}
