#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {
const QString kMessage = QStringLiteral("Message");
}

void Filmorel::majAnnuler() {
  const QString quoi = m_ecrivain.aAnnuler();
  SM_Annuler->setText(quoi.isEmpty() ? QStringLiteral("Annuler la dernière opération")
                                     : QStringLiteral("Annuler : ") + quoi);
  SM_Annuler->setEnabled(!quoi.isEmpty() && !valider->isVisible());
}

// Not while a card is being edited or lent: what was typed would be lost.
void Filmorel::SM_Annuler_Click() {
  if (valider->isVisible() || m_ecrivain.aAnnuler().isEmpty() || refuserEnLectureSeule())
    return;
  montrerCatalogueRelu(m_ecrivain.annuler());
}

void Filmorel::SM_Restaurer_Click() {
  if (valider->isVisible() || refuserEnLectureSeule())
    return;
  const QList<catalogue::Sauvegarde> liste = catalogue::sauvegardes(m_v.cheminAppli);
  if (liste.isEmpty()) {
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Aucune sauvegarde de ce catalogue n'a encore été faite dans le dossier :\r%1")
            .arg(QDir::toNativeSeparators(cheminFichier(catalogue::kSauvegardes))),
        64, kMessage);
    return;
  }
  auto decrire = [](const catalogue::Sauvegarde &s) {
    return QStringLiteral("du %1 (%2 fiche(s))")
        .arg(s.date.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")),
             s.nbFiches < 0 ? QStringLiteral("?") : QString::number(s.nbFiches));
  };
  QStringList lignes;
  for (int i = 0; i < liste.size(); ++i)
    lignes << QStringLiteral("%1. %2").arg(i + 1).arg(decrire(liste[i]));
  QString reponse;
  if (!m_dialogues->saisie(QStringLiteral("Sauvegardes du catalogue, de la plus récente à la plus ancienne :\r\r") +
                               lignes.join(u'\r') + QStringLiteral("\r\rNuméro de la sauvegarde à restaurer :"),
                           QStringLiteral("Restaurer une sauvegarde"), reponse, QStringLiteral("1"), lignes))
    return;
  bool nombre = false;
  const int n = reponse.section(u'.', 0, 0).trimmed().toInt(&nombre);
  if (!nombre || n < 1 || n > liste.size()) {
    m_v.reponse = m_dialogues->message(QStringLiteral("Il n'y a pas de sauvegarde numéro « %1 ».").arg(reponse.trimmed()),
                                       48, kMessage);
    return;
  }
  m_v.reponse = m_dialogues->message(
      QStringLiteral("Remplacer le catalogue par la sauvegarde %1 ?\r\rLes fichiers actuels seront d'abord "
                     "sauvegardés, et cette restauration pourra être annulée.")
          .arg(decrire(liste[n - 1])),
      Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, kMessage);
  if (m_v.reponse == Dialogues::Oui)
    montrerCatalogueRelu(m_ecrivain.restaurer(liste[n - 1]));
}

// After an undo or a restore the files are no longer what the window shows:
// lists, count and card are read again (the writer has chosen the card).
void Filmorel::montrerCatalogueRelu(const catalogue::Resultat &r) {
  if (!r.fait()) {
    if (!r.message.isEmpty())
      m_v.reponse = m_dialogues->message(r.message, 48, kMessage);
    majAnnuler();
    return;
  }
  const int nbFiches = m_v.nbFiches, position = m_v.posCourante;
  for (int n = 0; n < 5; ++n)
    comboListe(n)->clear();
  lire_ini();
  m_v.nbFiches = nbFiches;
  if (m_v.nbFiches == 0) {
    viderAffichage();
  } else {
    {
      QSignalBlocker bloque(VScroll1);
      VScroll1->setMaximum(m_v.nbFiches);
      VScroll1->setPageStep(m_v.nbFiches / 20 + 1);
    }
    afficherBoutonsFiche(true);
    Compteur->setVisible(true);
    afficherPosition(position);
  }
  eansearch->setFocus();
  verif_historic();
  majAnnuler();
}
