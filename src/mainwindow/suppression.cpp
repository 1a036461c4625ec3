#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>

void Filmorel::supprimer_Click() {
  if (m_v.nbFiches < 1 || refuserEnLectureSeule())
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
  const catalogue::Resultat r =
      m_ecrivain.supprimer(p, reglagesCourants(), [this](int v) { Progress->setValue(v); });
  finProgression();
  if (!r.fait()) {
    // Nothing was changed: the card stays on display.
    if (!r.message.isEmpty())
      m_v.reponse = m_dialogues->message(r.message, 48, QStringLiteral("Message"));
    return;
  }

  m_v.posCourante = p;
  if (m_v.nbFiches == 0) {
    viderAffichage();
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
  eansearch->setFocus();
  verif_historic();
}

// Back to the state of a start-up on an empty catalogue: the buffer no
// longer holds a card, so the next new card starts afresh.
void Filmorel::viderAffichage() {
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
}
