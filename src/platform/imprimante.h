#pragma once
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QPrinter;

// What a page layout needs to know of the printer before anything is
// printed: the printable area and the size of a text, in millimetres.
class MesuresImpression {
public:
  virtual ~MesuresImpression() = default;
  virtual double largeurImprimable() const = 0;
  virtual double hauteurImprimable() const = 0;
  // The printable height the same printer has on A4 portrait, the paper the
  // report's fixed distances were made for.
  virtual double hauteurImprimableA4() const = 0;
  virtual QSizeF mesurer(const QString &police, double points, bool gras,
                         const QString &texte) const = 0;
};

// Seam to the printer. Coordinates are millimetres from the top-left corner
// of the printable area. The first drawing starts the document; finDocument
// sends it.
class Imprimante : public MesuresImpression {
public:
  // The printer's name, or the path of the file it writes.
  virtual QString nomPeripherique() const = 0;

  void police(const QString &nom, double points, bool gras);
  QString nomPolice() const { return m_police; }
  double taillePolice() const { return m_points; }
  bool policeGrasse() const { return m_gras; }
  double largeurTexte(const QString &texte) const { return mesurer(m_police, m_points, m_gras, texte).width(); }
  double hauteurTexte(const QString &texte) const { return mesurer(m_police, m_points, m_gras, texte).height(); }

  double x() const { return m_x; }
  double y() const { return m_y; }
  void placer(double x, double y) { m_x = x; m_y = y; }

  // Prints at the current position in the current font. Without finLigne
  // the position moves past the text; with it the next line starts at
  // x = 0, one line lower. largeurMax > 0 cuts what would go further.
  void imprimer(const QString &texte, bool finLigne = false, double largeurMax = 0);
  // Line width in printer pixels (of a 600 dpi printer).
  void epaisseurTrait(int pixels) { m_trait = pixels; }
  int trait() const { return m_trait; }
  virtual void ligne(double x1, double y1, double x2, double y2) = 0;
  virtual void rectangle(double x1, double y1, double x2, double y2) = 0;
  virtual void nouvellePage() = 0;
  // Sends the document. False when it could not be printed or written.
  virtual bool finDocument() = 0;

protected:
  // Draws a text with its top-left corner at (x, y), in the current font.
  virtual void dessinerTexte(double x, double y, const QString &texte, double largeurMax) = 0;

private:
  QString m_police = QStringLiteral("Arial");
  double m_points = 10;
  bool m_gras = false;
  double m_x = 0, m_y = 0;
  int m_trait = 1;
};

// Arial, Arial Black and Bookman are the report's and the windows' fonts;
// where they are not installed, fonts with the same metrics stand in (the
// system's own fallback may pick one whose lines are taller). Call once,
// after the application is created.
void substituerPolices();

// The printer the set-up dialog works on; every print uses it, so a choice
// made there holds until the program ends. With no printer installed it
// writes a PDF file.
QPrinter &imprimanteChoisie();
// Tells that the user picked the printer himself (the set-up was accepted):
// from then on the system's default no longer replaces it.
void imprimanteChoisieParUtilisateur(bool choisie = true);

// The real printer: QPainter on imprimanteChoisie(). When that printer is a
// PDF file (no printer installed, or a file chosen in the set-up), the file
// is opened once written.
class ImprimanteQt : public Imprimante {
public:
  // `dossierPdf`: where the PDF goes when no file was chosen.
  explicit ImprimanteQt(const QString &dossierPdf = QString());
  ~ImprimanteQt() override;

  void setDossierPdf(const QString &dossier) { m_dossierPdf = dossier; }
  // Shows a written PDF; by default the desktop's viewer, or a print
  // preview when there is none.
  void setOuverturePdf(std::function<void(const QString &chemin)> ouvrir) { m_ouvrirPdf = std::move(ouvrir); }
  static const QString NomPdf; // "impression.pdf"

  QString nomPeripherique() const override;
  double largeurImprimable() const override;
  double hauteurImprimable() const override;
  double hauteurImprimableA4() const override;
  QSizeF mesurer(const QString &police, double points, bool gras, const QString &texte) const override;
  void ligne(double x1, double y1, double x2, double y2) override;
  void rectangle(double x1, double y1, double x2, double y2) override;
  void nouvellePage() override;
  bool finDocument() override;

protected:
  void dessinerTexte(double x, double y, const QString &texte, double largeurMax) override;

private:
  struct Document;
  Document *document(); // starts it at the first drawing; null on failure
  QString cheminPdf() const;

  QString m_dossierPdf;
  std::function<void(const QString &)> m_ouvrirPdf;
  std::unique_ptr<Document> m_doc;
  bool m_echec = false;
  int m_dernierTravail = 0; // the print server's last job of ours before this document
};
