#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QApplication>
#include <QCompleter>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {
// A box whose parent is disabled (a secondary window is open) would be
// disabled too: fall back to the active window, or none.
QWidget *parentUtilisable(QWidget *prefere) {
  for (QWidget *w : {prefere, QApplication::activeWindow()})
    if (w && w->isEnabled())
      return w;
  return nullptr;
}
} // namespace

int DialoguesQt::message(const QString &texte, int style, const QString &titre) {
  QMessageBox box(parentUtilisable(m_parent));
  // Classic message boxes separate sentences with bare carriage returns.
  QString affiche = texte;
  affiche.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
  box.setText(affiche);
  box.setWindowTitle(titre);
  switch (style & 0x0F) {
  case BoutonsOKAnnuler:
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    break;
  case BoutonsOuiNonAnnuler:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    break;
  case BoutonsOuiNon:
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    break;
  default:
    box.setStandardButtons(QMessageBox::Ok);
  }
  switch (style & 0x70) {
  case IconeStop: box.setIcon(QMessageBox::Critical); break;
  case IconeQuestion: box.setIcon(QMessageBox::Question); break;
  case IconeExclamation: box.setIcon(QMessageBox::Warning); break;
  case IconeInformation: box.setIcon(QMessageBox::Information); break;
  default: box.setIcon(QMessageBox::NoIcon);
  }
  switch (box.exec()) {
  case QMessageBox::Yes: return Oui;
  case QMessageBox::No: return Non;
  case QMessageBox::Cancel: return Annuler;
  default: break;
  }
  // Closing the box with Esc or the close box counts as its escape button.
  if (box.clickedButton() == nullptr)
    return (style & 0x0F) == BoutonsOuiNon ? Non : ((style & 0x0F) == BoutonOK ? OK : Annuler);
  return OK;
}

bool DialoguesQt::saisie(const QString &question, const QString &titre, QString &reponse,
                         const QString &defaut, const QStringList &propositions) {
  QInputDialog boite(parentUtilisable(m_parent));
  boite.setWindowTitle(titre);
  boite.setLabelText(question);
  boite.setTextValue(defaut);
  if (auto *ligne = boite.findChild<QLineEdit *>(); ligne && !propositions.isEmpty()) {
    auto *completion = new QCompleter(propositions, ligne);
    completion->setCaseSensitivity(Qt::CaseInsensitive);
    completion->setFilterMode(Qt::MatchContains);
    ligne->setCompleter(completion);
    // Return closes the list of titles and searches at once, with the
    // highlighted title if there is one.
    QObject::connect(ligne, &QLineEdit::returnPressed, &boite, &QDialog::accept);
  }
  const bool ok = boite.exec() == QDialog::Accepted;
  reponse = ok ? boite.textValue() : QString();
  return ok;
}

QString DialoguesQt::ouvrirFichier(const QString &titre, const QString &filtre,
                                   const QString &nomInitial, const QString &dossier) {
  // "description (*.ext) |*.ext" becomes Qt's "description (*.ext)".
  QString qtFiltre = filtre.section(u'|', 0, 0).trimmed();
  QString depart = dossier.isEmpty() ? nomInitial : dossier + u'/' + nomInitial;
  return QFileDialog::getOpenFileName(parentUtilisable(m_parent), titre, depart, qtFiltre);
}

bool DialoguesQt::configurerImprimante() {
  // On the printer every print uses, so the choice holds for the next one.
  QPrintDialog dialog(&imprimanteChoisie(), parentUtilisable(m_parent));
  if (dialog.exec() != QDialog::Accepted)
    return false;
  imprimanteChoisieParUtilisateur();
  return true;
}
