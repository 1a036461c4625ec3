#pragma once
#include <QString>
#include <QStringList>

class QWidget;

// Seam to the desktop's common dialogs. Styles and answer codes are those of
// a classic message box: style = buttons (0 OK, 1 OK/Cancel, 4 Yes/No,
// 3 Yes/No/Cancel) + icon (16 stop, 32 question, 48 exclamation,
// 64 information).
class Dialogues {
public:
  enum Reponse { OK = 1, Annuler = 2, Oui = 6, Non = 7 };
  enum Style {
    BoutonOK = 0, BoutonsOKAnnuler = 1, BoutonsOuiNonAnnuler = 3, BoutonsOuiNon = 4,
    IconeStop = 16, IconeQuestion = 32, IconeExclamation = 48, IconeInformation = 64
  };

  virtual ~Dialogues() = default;
  virtual int message(const QString &texte, int style = 0, const QString &titre = QString()) = 0;
  // Input box. Returns false when cancelled; `reponse` holds the typed text.
  // `propositions` are offered while typing (any that contains the text).
  virtual bool saisie(const QString &question, const QString &titre, QString &reponse,
                      const QString &defaut = QString(), const QStringList &propositions = {}) = 0;
  // File-open dialog. Returns the chosen path, empty when cancelled.
  virtual QString ouvrirFichier(const QString &titre, const QString &filtre,
                                const QString &nomInitial, const QString &dossier = QString()) = 0;
  // Printer set-up. Returns false when cancelled.
  virtual bool configurerImprimante() = 0;
};

// The real thing, with QMessageBox, QInputDialog and QFileDialog.
class DialoguesQt : public Dialogues {
public:
  explicit DialoguesQt(QWidget *parent = nullptr) : m_parent(parent) {}
  void setParent(QWidget *parent) { m_parent = parent; }
  int message(const QString &texte, int style, const QString &titre) override;
  bool saisie(const QString &question, const QString &titre, QString &reponse, const QString &defaut,
              const QStringList &propositions) override;
  QString ouvrirFichier(const QString &titre, const QString &filtre, const QString &nomInitial,
                        const QString &dossier) override;
  bool configurerImprimante() override;

private:
  QWidget *m_parent;
};
