#include "mainwindow/filmorel.h"

#include "listings/listing.h"
#include "listings/listpret.h"
#include "platform/dialogues.h"
#include "storage/historique.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

// Lending is an entry state: only the loan fields and the borrower list
// buttons can be used; the validation or the cancel ends it.
void Filmorel::pretdvd() {
  if (refuserEnLectureSeule()) {
    ean->setReadOnly(true);
    return;
  }
  masquer();
  for (QWidget *w : std::initializer_list<QWidget *>{ean, zone, annee, duree, face, langue, Genre, soustitre, titre,
                                                     editeur, realisateur, bonus, achat, dateachat, format, couleur,
                                                     Son, acteurs, resumer})
    w->setEnabled(false);
  conteneur->setEnabled(true);
  for (QPushButton *b : {ajou[3], sup[3]}) {
    b->setVisible(true);
    b->setEnabled(true);
  }
  datepret->setText(aujourdhui());
  preter->setText(QStringLiteral("Oui"));
  preter->setEnabled(false);
  nom->setFocus();
  m_v.pretEnCours = 1;
  retour->setEnabled(true);
  pret->setEnabled(false);
}

void Filmorel::retourdvd() {
  if (refuserEnLectureSeule())
    return;
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?"),
                                     Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non)
    return;
  // The card as no longer lent, and the loan that ends, saved together.
  const Pret fini{nom->currentText(), datepret->text(), aujourdhui()};
  const Fiche avant = m_v.ficheCourante;
  preter->setText(QStringLiteral("Non"));
  datepret->clear();
  nom->setEditText(QString());
  memoriser();
  const catalogue::Resultat r = m_ecrivain.reintegrer(m_v.ficheCourante, fini, reglagesCourants());
  if (!r.fait()) {
    m_v.ficheCourante = avant;
    m_v.reponse = m_dialogues->message(r.message, 48, QStringLiteral("Message"));
    afficher();
    eansearch->setFocus();
    return;
  }
  retour->setEnabled(false);
  pret->setEnabled(true);
  eansearch->setFocus();
  verif_historic();
  if (!r.message.isEmpty())
    m_v.reponse = m_dialogues->message(r.message, Dialogues::BoutonOK + Dialogues::IconeExclamation,
                                       QStringLiteral("Message"));
}

void Filmorel::voirhistoric() {
  m_v.nbHisto = 0;
  QList<Pret> prets;
  switch (historique::lire(historique::chemin(m_v.cheminAppli, m_v.tabIndex.value(m_v.posCourante).ean()), prets)) {
  case historique::Lecture::Erreur:
    return;
  case historique::Lecture::Absent:
    historic->setVisible(false);
    break;
  case historique::Lecture::Lu:
    m_v.chargerHistorique(prets);
    break;
  }
  ListPret *w = fenetreListe();
  m_v.typeListe = 2;
  Listing l = listes::historiqueDvd(m_v.historiqueCharge());
  l.sujet = listes::titreAffiche(m_v.ficheCourante.get(Champ::titre)) + QStringLiteral("   —   E.A.N : ") +
            m_v.tabIndex.value(m_v.posCourante).ean();
  w->afficherListing(l);
  ouvrirFenetreSecondaire(w);
  w->Grille->setFocus();
}
