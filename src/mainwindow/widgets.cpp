#include "mainwindow/widgets.h"

#include "storage/controles.h"

#include <QApplication>
#include <QCompleter>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>
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

QValidator::State Chiffres::validate(QString &texte, int &) const {
  return std::all_of(texte.cbegin(), texte.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }) ? Acceptable
                                                                                                     : Invalid;
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
  // No completion: the typed text must stay exactly as typed. A line edit
  // that comes with a completer spares the combo box building its default
  // one (and setEditable() its popup, now built when first shown), only to
  // be thrown away: a fifth of the window's widget building.
  static QCompleter *const aucune = new QCompleter(qApp);
  auto *ligne = new QLineEdit(this);
  ligne->setCompleter(aucune);
  setLineEdit(ligne);
  setCompleter(nullptr);
  setInsertPolicy(QComboBox::NoInsert);
  setDuplicatesEnabled(true);
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

namespace {
// A picture in the format the window paints fastest.
QImage lireImage(const QString &chemin) {
  const QImage image = QImageReader(chemin).read();
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}
} // namespace

QRegion Morceaux::region() const {
  QRegion r;
  for (const auto &[ou, image] : pieces)
    r += QRect(ou, image.size());
  return r;
}

Morceaux Morceaux::entiere(const QImage &image) {
  if (image.isNull())
    return {};
  return {image.size(), {{QPoint(), image}}};
}

bool ImageBox::charger(const QString &chemin) {
  // A scan at least twice the size its box shows is decoded at that size:
  // the JPEG decoder then reads it at a fraction of its size (a third of
  // the time for a 1200 x 1700 scan), and painting only copies it.
  QImageReader lecteur(chemin);
  const QSize source = lecteur.size(), pixels = (QSizeF(size()) * devicePixelRatioF()).toSize();
  const QSize vu = source.scaled(pixels, Qt::KeepAspectRatio);
  const bool reduite = m_proportions && !vu.isEmpty() && source.width() >= 2 * vu.width();
  if (reduite)
    lecteur.setScaledSize(vu);
  return montrer(Morceaux::entiere(lecteur.read()), chemin, !reduite);
}

bool ImageBox::chargerFixe(const QString &chemin) {
  const qreal dpr = devicePixelRatioF();
  // Widget and picture pixels agree only for a stretched picture at one
  // device pixel a pixel: elsewhere the whole picture is kept.
  return montrer(imageFixe(chemin, (QSizeF(size()) * dpr).toSize(),
                           m_proportions ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio,
                           !m_proportions && dpr == 1 ? regionVue() : QRegion()),
                 chemin, false);
}

QRegion ImageBox::regionVue() const {
  QRegion vue(rect());
  for (const QWidget *w : findChildren<QWidget *>()) {
    if (w->isWindow() || !w->isVisibleTo(this) ||
        !(w->testAttribute(Qt::WA_OpaquePaintEvent) ||
          (w->autoFillBackground() && w->palette().brush(w->backgroundRole()).isOpaque())))
      continue;
    QRect cache(w->mapTo(this, QPoint()), w->size());
    for (const QWidget *a = w->parentWidget(); a != this; a = a->parentWidget())
      cache &= QRect(a->mapTo(this, QPoint()), a->size());
    vue -= cache;
  }
  return vue;
}

bool ImageBox::montrer(const Morceaux &image, const QString &chemin, bool fichierEntier) {
  if (image.isNull()) {
    vider();
    return false;
  }
  if (!m_image.isNull() && image.pieces[0].second.cacheKey() == m_image.pieces[0].second.cacheKey() &&
      chemin == m_chemin)
    return true; // the default cover again: nothing to repaint
  m_image = image;
  m_entiere = fichierEntier ? image.pieces[0].second : QImage();
  m_etire = QImage();
  m_chemin = chemin;
  // A stretched picture without transparency covers the box: what lies
  // below it is not painted.
  setAttribute(Qt::WA_OpaquePaintEvent, !m_proportions && !image.pieces[0].second.hasAlphaChannel());
  update();
  return true;
}

void ImageBox::vider() {
  m_image = {};
  m_entiere = m_etire = QImage();
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
    cible = QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, m_image.taille.scaled(size(), Qt::KeepAspectRatio),
                                rect());
  const qreal dpr = devicePixelRatioF();
  const QSize pixels = (QSizeF(cible.size()) * dpr).toSize();
  const QRegion expose = e->region() & cible;
  if (dpr == 1 && m_image.taille == pixels && (expose.translated(-cible.topLeft()) - m_image.region()).isEmpty()) {
    // Only what is exposed: browsing repaints the fields, not the whole box.
    for (const auto &[ou, image] : m_image.pieces)
      for (const QRect &r : expose & QRect(cible.topLeft() + ou, image.size()))
        p.drawImage(r.topLeft(), image, r.translated(-cible.topLeft() - ou));
    return;
  }
  // Another size, or a part the pieces left out (a child moved or hid): the
  // picture scaled from the whole file, decoded again if it was not kept.
  if (m_etire.size() != pixels) {
    const QImage &premiere = m_image.pieces[0].second;
    if (premiere.size() == m_image.taille && m_image.taille == pixels) {
      m_etire = premiere;
    } else {
      if (m_entiere.isNull())
        m_entiere = lireImage(m_chemin);
      if (m_entiere.isNull())
        m_entiere = premiere; // the file is gone: what was kept
      m_etire = m_entiere.size() == pixels ? m_entiere
                                           : m_entiere.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
  }
  const QRect r = e->rect() & cible;
  p.drawImage(r, m_etire, QRectF(QPointF(r.topLeft() - cible.topLeft()) * dpr, QSizeF(r.size()) * dpr));
}

namespace {
// A cached picture: the state of its source file and the size it was
// scaled to, the picture's size and the rectangles kept, then each
// rectangle's pixels.
struct EnTete {
  char magie[8] = {'F', 'I', 'L', 'M', 'I', 'M', 'G', '3'};
  qint64 taille = 0, modifie = 0; // of the source file
  qint32 largeur = 0, hauteur = 0, mode = 0; // asked for
  qint32 format = 0, imageLargeur = 0, imageHauteur = 0, pieces = 0, libre = 0; // no padding left unset
  bool memeSource(const EnTete &e) const {
    return std::memcmp(magie, e.magie, sizeof magie) == 0 && taille == e.taille && modifie == e.modifie &&
           largeur == e.largeur && hauteur == e.hauteur && mode == e.mode;
  }
};

// The rectangles of `garder` within a picture of `taille`; the whole
// picture when `garder` is empty or keeps nothing of it.
QList<QRect> decoupe(const QSize &taille, const QRegion &garder) {
  const QRect tout(QPoint(), taille);
  const QRegion r = garder & tout;
  if (r.isEmpty())
    return {tout};
  return {r.begin(), r.end()};
}

// The pixels are mapped, not read: no copy, and the memory is the system's
// file cache, shared by every run. The file is replaced whole (QSaveFile),
// never changed in place, so the mapping stays valid; it is released with
// the last piece.
Morceaux lireCache(const QString &fichier, const EnTete &voulu, const QRegion &garder) {
  auto f = std::make_shared<QFile>(fichier);
  EnTete e;
  if (!f->open(QIODevice::ReadOnly) || f->read(reinterpret_cast<char *>(&e), sizeof e) != qint64(sizeof e) ||
      !e.memeSource(voulu) ||
      (e.format != QImage::Format_RGB32 && e.format != QImage::Format_ARGB32_Premultiplied) ||
      e.imageLargeur < 1 || e.imageHauteur < 1)
    return {};
  const QSize taille(e.imageLargeur, e.imageHauteur);
  const QList<QRect> rects = decoupe(taille, garder);
  QList<qint32> lus(rects.size() * 4);
  const qint64 tailleRects = lus.size() * qint64(sizeof(qint32));
  if (e.pieces != rects.size() || f->read(reinterpret_cast<char *>(lus.data()), tailleRects) != tailleRects)
    return {};
  qint64 octets = 0;
  for (qsizetype i = 0; i < rects.size(); ++i) {
    if (QRect(lus[4 * i], lus[4 * i + 1], lus[4 * i + 2], lus[4 * i + 3]) != rects[i])
      return {};
    octets += qint64(rects[i].width()) * rects[i].height() * 4;
  }
  const qint64 debut = qint64(sizeof e) + tailleRects;
  const uchar *pixels = f->size() == debut + octets ? f->map(debut, octets) : nullptr;
  if (!pixels)
    return {};
  Morceaux m{taille, {}};
  for (const QRect &r : rects) {
    m.pieces.append({r.topLeft(), QImage(pixels, r.width(), r.height(), r.width() * 4, QImage::Format(e.format),
                                         [](void *garde) { delete static_cast<std::shared_ptr<QFile> *>(garde); },
                                         new std::shared_ptr<QFile>(f))});
    pixels += qint64(r.width()) * r.height() * 4;
  }
  return m;
}

// The cache is a convenience: a failed write only means decoding next time.
void ecrireCache(const QString &fichier, EnTete e, const Morceaux &m) {
  e.format = m.pieces[0].second.format();
  e.imageLargeur = m.taille.width();
  e.imageHauteur = m.taille.height();
  e.pieces = qint32(m.pieces.size());
  // A few data folders' pictures at most: the oldest entries make room.
  QDir dossier(QFileInfo(fichier).path());
  dossier.mkpath(QStringLiteral("."));
  const QStringList anciens = dossier.entryList(QDir::Files, QDir::Time);
  for (qsizetype i = 11; i < anciens.size(); ++i)
    dossier.remove(anciens[i]);
  QList<qint32> rects;
  for (const auto &[ou, image] : m.pieces)
    rects << ou.x() << ou.y() << image.width() << image.height();
  QSaveFile f(fichier);
  bool ok = f.open(QIODevice::WriteOnly) && f.write(reinterpret_cast<const char *>(&e), sizeof e) == qint64(sizeof e) &&
            f.write(reinterpret_cast<const char *>(rects.constData()), rects.size() * qint64(sizeof(qint32))) ==
                rects.size() * qint64(sizeof(qint32));
  for (const auto &[ou, image] : m.pieces)
    ok = ok && f.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()) == image.sizeInBytes();
  if (ok)
    f.commit();
}

struct Connue {
  EnTete etat;
  QRegion garder;
  Morceaux image;
};

// The window's pictures are loaded on the GUI thread only.
QHash<QString, Connue> &connues() {
  static QHash<QString, Connue> memoire;
  return memoire;
}
} // namespace

void oublierImagesFixes() { connues().clear(); }

Morceaux imageFixe(const QString &chemin, const QSize &taille, Qt::AspectRatioMode mode, const QRegion &garder) {
  auto &memoire = connues();
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
  Connue &connue = memoire[source];
  if (!connue.image.isNull() && connue.etat.memeSource(voulu) && connue.garder == garder)
    return connue.image;

  const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                        QStringLiteral("/images/") +
                        QString::fromLatin1(QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex());
  Morceaux image = lireCache(cache, voulu, garder);
  if (image.isNull()) {
    const QImage entiere = lireImage(chemin).scaled(taille, mode, Qt::SmoothTransformation);
    if (entiere.isNull()) {
      memoire.remove(source);
      return {};
    }
    image.taille = entiere.size();
    for (const QRect &r : decoupe(entiere.size(), garder))
      image.pieces.append({r.topLeft(), entiere.copy(r)});
    ecrireCache(cache, voulu, image);
  }
  connue = {voulu, garder, image};
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
