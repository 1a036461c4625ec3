#include "mainwindow/filmorel.h"

#include "listings/listing.h"
#include "listings/listpret.h"
#include "platform/dialogues.h"
#include "storage/historique.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

// Lending is an entry state: only the loan fields and the borrower list
// buttons can be used; the validation or the cancel ends it.
void Filmorel::pretdvd() {
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
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir réintégrer ce DVD ?"),
                                     Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non)
    return;
  const QString cheminHisto = historique::chemin(m_v.cheminAppli, m_v.tabIndex.value(m_v.posCourante).ean());
  const bool existait = QFile::exists(cheminHisto);
  QList<Pret> avant;
  historique::lire(cheminHisto, avant);

  preter->setText(QStringLiteral("Non"));
  const bool historiqueEcrit = enreg_prets();
  datepret->clear();
  nom->setEditText(QString());
  if (!enregistrer()) {
    // The card is still lent on disk: the loan must not stay in its history
    // too, or the next return would record it twice.
    if (historiqueEcrit) {
      if (existait)
        historique::ecrire(cheminHisto, avant);
      else
        QFile::remove(cheminHisto);
    }
    lire_idx();
    lire();
    afficher();
    eansearch->setFocus();
    return;
  }
  retour->setEnabled(false);
  pret->setEnabled(true);
  eansearch->setFocus();
  verif_historic();
  if (!historiqueEcrit)
    m_v.reponse = m_dialogues->message(
        QStringLiteral("Le DVD est réintégré, mais ce prêt n'a pas pu être ajouté à son historique.\r\r"
                       "Vérifiez que le dossier historique existe dans le dossier des données et qu'il est "
                       "accessible en écriture."),
        Dialogues::BoutonOK + Dialogues::IconeExclamation, QStringLiteral("Message"));
}

bool Filmorel::enreg_prets() {
  const QString chemin = historique::chemin(m_v.cheminAppli, m_v.tabIndex.value(m_v.posCourante).ean());
  QList<Pret> prets;
  // A file that exists but cannot be read is not overwritten: its loans
  // would be lost.
  if (historique::lire(chemin, prets) == historique::Lecture::Erreur)
    return false;
  prets.append({nom->currentText(), datepret->text(), aujourdhui()});
  // Beyond 1000 loans the oldest one goes (storage keeps the newest).
  if (!historique::ecrire(chemin, prets))
    return false;
  m_v.chargerHistorique(prets);
  return true;
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
