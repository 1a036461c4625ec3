#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"
#include "listings/listing.h"
#include "search/parcours.h"
#include "storage/fichiers.h"
#include "storage/controles.h"

#include <QLineEdit>
#include <QProgressBar>

namespace {
const QString kMessage = QStringLiteral("Message");
}

void Filmorel::SM_Recherche_Film_Click() {
  // The catalogue's titles, offered while the title is typed.
  QStringList titres;
  QList<EntreeIndex> entrees;
  if (m_v.nbFiches > 0 && fichiers::lireEntrees(m_v.cheminAppli, 1, m_v.nbFiches, entrees))
    for (const EntreeIndex &e : std::as_const(entrees))
      titres << listes::titreAffiche(e.titre());
  titres.removeAll(QString());
  titres.removeDuplicates();
  QString texte;
  const bool saisi =
      m_dialogues->saisie(QStringLiteral("Titre du film ?"), QStringLiteral("Recherche"), texte, QString(), titres);
  if (saisi && !sansEspaces(texte).isEmpty()) {
    m_v.reponseTexte = texte;
    recherchetitre();
  }
  eansearch->setFocus();
}

// First card in title order whose title contains the text of reponseTexte.
// An empty catalogue simply has no such card.
void Filmorel::recherchetitre() {
  const int garde = m_v.posCourante;
  setProgression(0, m_v.nbFiches);
  const int p = recherche::titre(m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex, m_v.reponseTexte,
                                 [this](int position) { Progress->setValue(position); });
  finProgression();
  if (p > 0) {
    afficherPosition(p);
  } else {
    m_v.posCourante = garde;
    m_v.reponse = m_dialogues->message(QStringLiteral("Film non trouvé !!!\r"), Dialogues::BoutonsOKAnnuler,
                                       kMessage);
  }
  m_v.reponse = 0;
  m_v.reponseTexte.clear();
}

void Filmorel::rechercheEan() {
  if (eansearch->text().size() <= 12)
    return;
  ean->setText(eansearch->text());
  eansearch->clear();
  recherche();
}

void Filmorel::recherche() {
  const int garde = m_v.posCourante;
  if (m_v.nbFiches > 0)
    setProgression(0, m_v.nbFiches);
  const int p = recherche::codeBarre(m_v.cheminAppli, m_v.nbFiches, m_v.tabIndex, ean->text(),
                                     [this](int position) { Progress->setValue(position); });
  finProgression();
  if (p > 0) {
    afficherPosition(p);
    return;
  }
  m_v.posCourante = garde;
  if (refuserEnLectureSeule()) {
    ean->clear();
    return;
  }
  m_v.reponse = m_dialogues->message(QStringLiteral("Fiche non trouvée !!!\r\rVoulez-vous la créer ?"),
                                     Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, kMessage);
  // A full catalogue has no room for the card: refuse before the entry starts.
  if (m_v.reponse == Dialogues::Oui && !catalogueComplet() && cleEanAcceptee()) {
    m_v.modeCreation = 1;
    modification();
    vidage();
  } else if (m_v.nbFiches > 0) {
    // The card on display comes back whole: an empty bar code under it
    // would be saved by the next edit.
    lire_idx();
    lire();
    afficher();
  } else {
    ean->clear();
  }
}

// A wrong check digit is mostly a typo, but shops print internal codes too.
bool Filmorel::cleEanAcceptee() {
  if (controles::cleEan13Juste(ean->text()))
    return true;
  m_v.reponse = m_dialogues->message(QStringLiteral("Le code barre %1 n'est pas un code EAN-13 valide : le chiffre "
                                                    "de contrôle ne correspond pas.\r\rCréer la fiche quand même ?")
                                         .arg(ean->text()),
                                     Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, kMessage);
  return m_v.reponse == Dialogues::Oui;
}

// Next card, after the current one and wrapping, whose title begins with the
// letter of reponseTexte; the current card is examined last.
void Filmorel::recherchedirecte() {
  const int garde = m_v.posCourante;
  setProgression(0, m_v.nbFiches);
  const int p = recherche::lettre(m_v.cheminAppli, m_v.nbFiches, m_v.posCourante, m_v.tabIndex, m_v.reponseTexte,
                                  [this](int position) { Progress->setValue(position); });
  finProgression();
  if (p > 0) {
    afficherPosition(p);
  } else {
    m_v.reponse = m_dialogues->message(QStringLiteral("Pas de fiche '' %1 '' correspondante !!!\r")
                                           .arg(m_v.reponseTexte.toUpper()),
                                       Dialogues::BoutonOK, kMessage);
    m_v.posCourante = garde;
  }
  m_v.reponse = 0;
  m_v.reponseTexte.clear();
}

void Filmorel::SM_Recherche_Pret_Click() {
  recherchepret();
  eansearch->setFocus();
}

void Filmorel::recherchepret() {
  const int garde = m_v.posCourante;
  const int p = recherche::pret(m_v.cheminAppli, m_v.nbFiches, m_v.posCourante, m_v.tabIndex);
  if (p > 0) {
    afficherPosition(p);
  } else {
    m_v.reponse = m_dialogues->message(QStringLiteral("Aucun prêt trouvé !!!\r"), Dialogues::BoutonsOKAnnuler,
                                       kMessage);
    m_v.posCourante = garde;
    // Show the stored card again; an empty catalogue has none to show.
    if (m_v.nbFiches > 0) {
      lire_idx();
      lire();
      afficher();
    }
  }
  m_v.reponse = 0;
  eansearch->setFocus();
}
