#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"
#include "storage/suppression.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>

void Filmorel::supprimer_Click() {
  if (m_v.nbFiches < 1)
    return;
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir effacer cette fiche ?"), 36,
                                     QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Oui)
    suppression();
}

void Filmorel::suppression() {
  // Only a shown card of a non-empty catalogue, and only while browsing.
  if (m_v.nbFiches < 1 || m_v.modifEnCours == 1 || m_v.pretEnCours == 1)
    return;
  const int p = m_v.posCourante;
  setProgression(0, m_v.nbFiches);
  const auto resultat = ::suppression::supprimer(m_v.cheminAppli, m_v.nbFiches, p, m_v.tabIndex,
                                                 m_v.ficheCourante, [this](int v) { Progress->setValue(v); });
  finProgression();
  switch (resultat) {
  case ::suppression::Resultat::Faite:
    break;
  case ::suppression::Resultat::Rien:
    return;
  case ::suppression::Resultat::IndexEndommage:
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Cette fiche ne peut pas être supprimée : son entrée dans l'index du catalogue "
                       "(dvd.idx) ne désigne aucune fiche.\r\rLe catalogue n'a pas été modifié."),
        48, QStringLiteral("Message"));
    return;
  case ::suppression::Resultat::EchecFichier:
    m_v.reponse = m_dialogues->message(QStringLiteral("Impossible de supprimer la fiche du catalogue.\r\r"
                                                      "Vérifiez que le dossier des données est accessible "
                                                      "en écriture."),
                                       48, QStringLiteral("Message"));
    // A write may have gone through: show what the files now hold.
    m_v.posCourante = p;
    lire_idx();
    lire();
    afficher();
    return;
  }

  m_v.nbFiches -= 1;
  m_v.posCourante = p;
  if (m_v.nbFiches == 0) {
    // Back to the state of a start-up on an empty catalogue: the buffer no
    // longer holds a card, so the next new card starts afresh.
    m_v.ficheCourante = Fiche();
    m_v.posCourante = 1;
    {
      QSignalBlocker bloque(VScroll1);
      VScroll1->setMaximum(1);
      VScroll1->setValue(1);
    }
    afficherBoutonsFiche(false);
    ean->clear();
    vidage();
    Compteur->setVisible(false);
  } else {
    if (p <= m_v.nbFiches) {
      lire_idx();
      lire();
      afficher();
    }
    // Lowering the maximum below the value moves it, which shows that card.
    VScroll1->setMaximum(m_v.nbFiches);
    if (m_v.posCourante > m_v.nbFiches)
      afficherPosition(m_v.nbFiches);
    majCompteur();
  }
  sauver_ini();
  eansearch->setFocus();
  verif_historic();
}
