#include "platform/imprimante.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QLibrary>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QUrl>

#ifdef FILMOREL_CUPS
#include <cups/cups.h>
#endif

void Imprimante::police(const QString &nom, double points, bool gras) {
  m_police = nom;
  m_points = points;
  m_gras = gras;
}

void Imprimante::imprimer(const QString &texte, bool finLigne, double largeurMax) {
  dessinerTexte(m_x, m_y, texte, largeurMax);
  if (finLigne) {
    m_x = 0;
    m_y += hauteurTexte(texte);
  } else {
    m_x += largeurMax > 0 ? std::min(largeurTexte(texte), largeurMax) : largeurTexte(texte);
  }
}

namespace {
QPrinter *g_imprimante = nullptr;
bool g_choixUtilisateur = false;
QString g_pdfParDefaut; // the file name we gave, not the user

// Pages written to a file get the margins a printer's printable area
// usually has, so that the stock print margins place the page as on paper.
constexpr double MargesPdf = 10.0;

bool ecritUnPdf(const QPrinter &p) { return p.outputFormat() == QPrinter::PdfFormat; }

// The origin of every drawing is the printable area's corner: on a printer
// its own (its smallest margins), on a file 10 mm in. Applied each time the
// printer is set, so it does not depend on when the printer appeared.
void margesDuPeripherique(QPrinter &p) {
  const QPageLayout page = p.pageLayout();
  if (ecritUnPdf(p))
    p.setPageMargins(QMarginsF(MargesPdf, MargesPdf, MargesPdf, MargesPdf), QPageLayout::Millimeter);
  else
    p.setPageMargins(page.minimumMargins(), page.units());
}

void preparerPdf(QPrinter &p) {
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setPageSize(QPageSize(QPageSize::A4));
  p.setPageOrientation(QPageLayout::Portrait);
  margesDuPeripherique(p);
}

// Until the user picks one, the printer follows the system's default, which
// may appear or change while the program runs.
void suivreDefaut(QPrinter &p) {
  if (g_choixUtilisateur)
    return;
  const QString defaut = QPrinterInfo::defaultPrinterName();
  if (defaut.isEmpty()) {
    if (p.outputFormat() != QPrinter::PdfFormat)
      preparerPdf(p);
  } else if (p.outputFormat() != QPrinter::NativeFormat || p.printerName() != defaut) {
    // Any file name is ours (the user chose nothing): print on the printer.
    p.setOutputFileName(QString());
    p.setOutputFormat(QPrinter::NativeFormat);
    p.setPrinterName(defaut);
    margesDuPeripherique(p);
  }
}

#ifdef FILMOREL_CUPS
// libcups and the twenty libraries it brings are loaded when a job is
// checked, not at every start of the program.
struct Cups {
  decltype(&cupsGetJobs2) travaux = nullptr;
  decltype(&cupsFreeJobs) liberer = nullptr;
  decltype(&cupsLastError) erreur = nullptr;
  static const Cups &bibliotheque() {
    static const Cups c = [] {
      Cups r;
      QLibrary lib(QStringLiteral("cups"), 2);
      if (lib.load()) {
        r.travaux = reinterpret_cast<decltype(r.travaux)>(lib.resolve("cupsGetJobs2"));
        r.liberer = reinterpret_cast<decltype(r.liberer)>(lib.resolve("cupsFreeJobs"));
        r.erreur = reinterpret_cast<decltype(r.erreur)>(lib.resolve("cupsLastError"));
      }
      return r.travaux && r.liberer && r.erreur ? r : Cups();
    }();
    return c;
  }
};

// Shows `voir` each of our jobs on the print server for that printer.
template <class F> void travaux(const QString &imprimante, F &&voir) {
  const Cups &cups = Cups::bibliotheque();
  if (!cups.travaux)
    return;
  cups_job_t *liste = nullptr;
  const int n = cups.travaux(CUPS_HTTP_DEFAULT, &liste, imprimante.toLocal8Bit().constData(), 1, CUPS_WHICHJOBS_ALL);
  for (int i = 0; i < n; ++i)
    voir(liste[i]);
  cups.liberer(n, liste);
}

int dernierTravail(const QString &imprimante) {
  int id = 0;
  travaux(imprimante, [&](const cups_job_t &t) { id = std::max(id, t.id); });
  return id;
}

// Qt hands the document to the server without looking at the answer: the
// job must exist, newer than `avant`, and not be cancelled or aborted.
bool travailRecu(const QString &imprimante, int avant) {
  const Cups &cups = Cups::bibliotheque();
  if (!cups.erreur)
    return true; // no print server to ask
  if (cups.erreur() > IPP_STATUS_OK_EVENTS_COMPLETE) // the submission itself
    return false;
  bool recu = false;
  travaux(imprimante, [&](const cups_job_t &t) {
    if (t.id > avant)
      recu = t.state != IPP_JSTATE_CANCELED && t.state != IPP_JSTATE_ABORTED;
  });
  return recu;
}
#else
int dernierTravail(const QString &) { return 0; }
bool travailRecu(const QString &, int) { return true; }
#endif

double pixelsParMm(const QPrinter &p) { return p.resolution() / 25.4; }

// Fonts at their real size on the device: text measured at the printer's
// resolution, then converted to millimetres, stays exact.
QFont policeQt(const QString &nom, double points, bool gras) {
  QFont f(nom);
  f.setPointSizeF(points);
  f.setBold(gras);
  return f;
}

// One drawing, kept in millimetres so a print preview can draw it again.
struct Commande {
  enum Genre { Texte, Ligne, Rectangle, Page } genre;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  QString texte;
  QString police;
  double points = 0;
  bool gras = false;
  int trait = 1;
  double largeurMax = 0;
};

QPen plume(int trait, double k) {
  // Printer pixels of a 600 dpi printer.
  QPen pen(Qt::black);
  pen.setWidthF(trait * 25.4 / 600.0 * k);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

void peindre(QPainter &p, QPrinter &dev, const Commande &c) {
  const double k = pixelsParMm(dev);
  switch (c.genre) {
  case Commande::Texte: {
    QFont f = policeQt(c.police, c.points, c.gras);
    QFontMetricsF fm(f, &dev);
    QString t = c.texte;
    if (c.largeurMax > 0)
      t = fm.elidedText(t, Qt::ElideRight, c.largeurMax * k);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(QPointF(c.x1 * k, c.y1 * k + fm.ascent()), t);
    break;
  }
  case Commande::Ligne:
    p.setPen(plume(c.trait, k));
    p.drawLine(QPointF(c.x1 * k, c.y1 * k), QPointF(c.x2 * k, c.y2 * k));
    break;
  case Commande::Rectangle:
    p.setPen(plume(c.trait, k));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(c.x1 * k, c.y1 * k), QPointF(c.x2 * k, c.y2 * k)).normalized());
    break;
  case Commande::Page:
    dev.newPage();
    break;
  }
}
} // namespace

QPrinter &imprimanteChoisie() {
  if (!g_imprimante) {
    g_imprimante = new QPrinter(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinterName().isEmpty())
      preparerPdf(*g_imprimante);
    else
      margesDuPeripherique(*g_imprimante);
    // Freed with the application, while the printing system still exists.
    qAddPostRoutine([] {
      delete g_imprimante;
      g_imprimante = nullptr;
      g_choixUtilisateur = false;
      g_pdfParDefaut.clear();
    });
  }
  return *g_imprimante;
}

void imprimanteChoisieParUtilisateur(bool choisie) {
  g_choixUtilisateur = choisie;
  if (choisie)
    margesDuPeripherique(imprimanteChoisie());
}

void substituerPolices() {
  // Liberation Sans has Arial's metrics; no free font has Arial Black's, so
  // Liberation Sans stands in for it too. URW Bookman has ITC Bookman's.
  const QString sans = QStringLiteral("Liberation Sans"), bookman = QStringLiteral("URW Bookman");
  QFont::insertSubstitution(QStringLiteral("Arial"), sans);
  QFont::insertSubstitution(QStringLiteral("Arial Black"), sans);
  QFont::insertSubstitution(QStringLiteral("Bookman"), bookman);
  QFont::insertSubstitution(QStringLiteral("Bookman Old Style"), bookman);
}

namespace {
// Kept for a preview, drawn at once on the printer.
template <class Doc> void enregistrer(Doc &d, const Commande &c) {
  d.commandes.append(c);
  peindre(d.peintre, imprimanteChoisie(), c);
}
} // namespace

const QString ImprimanteQt::NomPdf = QStringLiteral("impression.pdf");

struct ImprimanteQt::Document {
  QPainter peintre;
  QString fichier; // the PDF written, empty on a printer
  QList<Commande> commandes;
};

ImprimanteQt::ImprimanteQt(const QString &dossierPdf) : m_dossierPdf(dossierPdf) {}

ImprimanteQt::~ImprimanteQt() {
  if (m_doc && m_doc->peintre.isActive())
    m_doc->peintre.end();
}

QString ImprimanteQt::cheminPdf() const {
  QPrinter &p = imprimanteChoisie();
  const QString nom = p.outputFileName();
  if (!nom.isEmpty() && nom != g_pdfParDefaut)
    return nom; // chosen in the set-up dialog
  const QString dossier = m_dossierPdf.isEmpty() ? QDir::currentPath() : m_dossierPdf;
  g_pdfParDefaut = QDir(dossier).absoluteFilePath(NomPdf);
  // So that the set-up dialog offers it.
  p.setOutputFileName(g_pdfParDefaut);
  return g_pdfParDefaut;
}

QString ImprimanteQt::nomPeripherique() const {
  QPrinter &p = imprimanteChoisie();
  suivreDefaut(p);
  if (ecritUnPdf(p))
    return QDir::toNativeSeparators(cheminPdf());
  return p.printerName();
}

double ImprimanteQt::largeurImprimable() const {
  QPrinter &p = imprimanteChoisie();
  suivreDefaut(p);
  return p.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double ImprimanteQt::hauteurImprimable() const {
  QPrinter &p = imprimanteChoisie();
  suivreDefaut(p);
  return p.pageLayout().paintRect(QPageLayout::Millimeter).height();
}

double ImprimanteQt::hauteurImprimableA4() const {
  // The same top and bottom margins on an A4 sheet.
  const QPageLayout page = imprimanteChoisie().pageLayout();
  return page.paintRect(QPageLayout::Millimeter).height() - page.fullRect(QPageLayout::Millimeter).height() +
         QPageSize(QPageSize::A4).size(QPageSize::Millimeter).height();
}

QSizeF ImprimanteQt::mesurer(const QString &police, double points, bool gras, const QString &texte) const {
  QPrinter &p = imprimanteChoisie();
  QFontMetricsF fm(policeQt(police, points, gras), &p);
  const double k = pixelsParMm(p);
  return {fm.horizontalAdvance(texte) / k, fm.height() / k};
}

ImprimanteQt::Document *ImprimanteQt::document() {
  if (m_doc)
    return m_doc->peintre.isActive() ? m_doc.get() : nullptr;
  m_doc = std::make_unique<Document>();
  QPrinter &p = imprimanteChoisie();
  suivreDefaut(p);
  if (ecritUnPdf(p))
    m_doc->fichier = cheminPdf();
  else
    m_dernierTravail = dernierTravail(p.printerName());
  p.setDocName(QStringLiteral("Filmorel"));
  if (!m_doc->peintre.begin(&p)) {
    m_echec = true;
    return nullptr;
  }
  return m_doc.get();
}

void ImprimanteQt::dessinerTexte(double x, double y, const QString &texte, double largeurMax) {
  if (Document *d = document()) {
    enregistrer(*d,
                {Commande::Texte, x, y, 0, 0, texte, nomPolice(), taillePolice(), policeGrasse(), trait(), largeurMax});
  }
}

void ImprimanteQt::ligne(double x1, double y1, double x2, double y2) {
  if (Document *d = document()) {
    Commande c{Commande::Ligne, x1, y1, x2, y2};
    c.trait = trait();
    enregistrer(*d, c);
  }
}

void ImprimanteQt::rectangle(double x1, double y1, double x2, double y2) {
  if (Document *d = document()) {
    Commande c{Commande::Rectangle, x1, y1, x2, y2};
    c.trait = trait();
    enregistrer(*d, c);
  }
}

void ImprimanteQt::nouvellePage() {
  if (Document *d = document()) {
    enregistrer(*d, {Commande::Page});
  }
  placer(0, 0);
}

bool ImprimanteQt::finDocument() {
  // A report with nothing drawn still makes its (blank) page.
  Document *d = document();
  QPrinter &p = imprimanteChoisie();
  bool ok = d && d->peintre.end() && !m_echec && p.printerState() != QPrinter::Error &&
            p.printerState() != QPrinter::Aborted;
  if (ok && d->fichier.isEmpty())
    ok = travailRecu(p.printerName(), m_dernierTravail);
  std::unique_ptr<Document> fini = std::move(m_doc);
  m_echec = false;
  placer(0, 0);
  if (ok && !fini->fichier.isEmpty()) {
    ok = QFileInfo(fini->fichier).size() > 0;
    if (ok) {
      if (m_ouvrirPdf) {
        m_ouvrirPdf(fini->fichier);
      } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(fini->fichier))) {
        // No viewer on this desktop: show the pages in a preview instead.
        QPrinter apercu(QPrinter::HighResolution);
        apercu.setPageLayout(imprimanteChoisie().pageLayout());
        QPrintPreviewDialog dialogue(&apercu);
        dialogue.setWindowTitle(QDir::toNativeSeparators(fini->fichier));
        const QList<Commande> commandes = fini->commandes;
        QObject::connect(&dialogue, &QPrintPreviewDialog::paintRequested, &dialogue, [commandes](QPrinter *pr) {
          QPainter peintre(pr);
          for (const Commande &c : commandes)
            peindre(peintre, *pr, c);
        });
        dialogue.exec();
      }
    }
  }
  return ok;
}
