#include "mainwindow/filmorel.h"

#include "platform/dialogues.h"
#include "storage/controles.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>

void Filmorel::masquer() {
  for (QWidget *w : std::initializer_list<QWidget *>{Compteur, Label23, eansearch, historic, VScroll1})
    w->setVisible(false);
  for (QMenu *m : {M_Fichier, M_RechercherListe, M_RechercheDirecte, M_Afficher, M_A_Propos})
    m->menuAction()->setEnabled(false);
  valider->setVisible(true);
  for (QWidget *w : std::initializer_list<QWidget *>{modifier, supprimer, pret, retour, quitter})
    w->setVisible(false);
}

void Filmorel::Demasquer() {
  for (QWidget *w : std::initializer_list<QWidget *>{Compteur, Label23, eansearch, VScroll1})
    w->setVisible(true);
  for (QMenu *m : {M_Fichier, M_RechercherListe, M_RechercheDirecte, M_Afficher, M_A_Propos})
    m->menuAction()->setEnabled(true);
  valider->setVisible(false);
  for (QWidget *w : std::initializer_list<QWidget *>{modifier, supprimer, pret, retour, quitter})
    w->setVisible(true);
}

namespace {
void montrerNavigateurJackets(Filmorel *f, bool visible) {
  for (QWidget *w : std::initializer_list<QWidget *>{f->Label16, f->Label17, f->Label26, f->Label25, f->Dir1,
                                                     f->File1, f->formatjacket, f->raccourcis})
    w->setVisible(visible);
}
} // namespace

void Filmorel::modification() {
  // A new card was already checked before its question.
  if (m_v.modeCreation == 0 && refuserEnLectureSeule()) {
    ean->setReadOnly(true);
    return;
  }
  masquer();
  for (int i = 0; i < 5; ++i) {
    ajou[i]->setVisible(true);
    sup[i]->setVisible(true);
  }
  for (QWidget *w : std::initializer_list<QWidget *>{preter, datepret, nom, ajou[3], sup[3]})
    w->setEnabled(false);
  conteneur->setEnabled(true);
  preparerJackets();
  montrerNavigateurJackets(this, true);
  titre->setFocus();
  m_v.modifEnCours = 1;
}

bool Filmorel::validation() {
  if (m_v.pretEnCours == 1) {
    const QString saisi = sansEspaces(nom->currentText());
    const QStringList liste = nom->items().mid(0, qMax(0, m_v.nbNoms));
    if (!liste.contains(saisi, Qt::CaseSensitive)) {
      m_v.reponse = m_dialogues->message(QStringLiteral("Nom pas valide ou ne figurant pas dans la liste."), 48,
                                         QStringLiteral("Message"));
      nom->setFocus();
      return false;
    }
  }
  if (!saisieAcceptee() || !enregistrer())
    return false;
  verif_historic();
  Demasquer();
  preter->setEnabled(true);
  for (int i = 0; i < 5; ++i) {
    ajou[i]->setVisible(false);
    sup[i]->setVisible(false);
  }
  for (QWidget *w : std::initializer_list<QWidget *>{datepret, nom, ajou[3], sup[3]})
    w->setEnabled(true);
  conteneur->setEnabled(false);
  montrerNavigateurJackets(this, false);
  for (int i = 0; i <= static_cast<int>(Champ::preter); ++i)
    champs()[i]->setEnabled(true);
  eansearch->setFocus();
  m_v.pretEnCours = 0;
  m_v.modifEnCours = 0;
  Compteur->setVisible(true);
  majCompteur();
  return true;
}

void Filmorel::valider_Click() {
  // A bar code refused while editing stays open for its correction.
  if (!validation() && m_v.modifEnCours == 1)
    return;
  ean->setReadOnly(true);
}

// Only what this entry typed or changed is checked (everything of a new
// card): a card written by the older program may hold a short bar code or a
// dd/mm/yy date, and goes back as it was read.
bool Filmorel::saisieAcceptee() {
  auto modifie = [this](Champ c) { return m_v.modeCreation == 1 || texteChamp(c) != texteLu(c); };
  auto refuser = [this](QWidget *w, const QString &texte) {
    m_v.reponse = m_dialogues->message(texte, Dialogues::BoutonOK + Dialogues::IconeExclamation,
                                       QStringLiteral("Message"));
    w->setFocus();
    return false;
  };
  if (modifie(Champ::ean) && !controles::ean13Complet(ean->text()))
    return refuser(ean, QStringLiteral("Le code E.A.N doit comporter exactement 13 chiffres !!!"));
  const std::tuple<Champ, QLineEdit *, const char *> dates[] = {{Champ::dateachat, dateachat, "d'achat"},
                                                                {Champ::datepret, datepret, "de prêt"}};
  for (const auto &[c, boite, quoi] : dates) {
    if (!modifie(c))
      continue;
    boite->setText(controles::dateSaisie(boite->text()));
    if (!controles::dateAcceptee(boite->text()))
      return refuser(boite, QStringLiteral("La date %1 n'est pas une date valide.\r\rSaisissez-la sous la forme "
                                           "jj/mm/aaaa (par exemple 25/12/2004) ou laissez-la vide.")
                                .arg(QString::fromUtf8(quoi)));
  }
  return true;
}

bool Filmorel::enregistrer() {
  if (m_v.modeCreation == 0 &&
      sansEspaces(titre->text()) != sansEspaces(m_v.ficheCourante.get(Champ::titre)))
    m_v.titreModifie = 1;
  if (m_v.modeCreation == 1 && catalogueComplet())
    return false;
  const Fiche avant = m_v.ficheCourante;
  memoriser();
  const bool trier = m_v.modeCreation == 1 || m_v.titreModifie == 1;
  const int numero = m_v.modeCreation == 1 ? m_v.nbFiches + 1 : m_v.tabIndex.value(m_v.posCourante).numero;
  if (trier)
    setProgression(0, m_v.nbFiches + m_v.modeCreation);
  const catalogue::Resultat r = m_ecrivain.enregistrer(m_v.ficheCourante, m_v.modeCreation == 1, trier,
                                                       reglagesCourants(), [this](int p) { Progress->setValue(p); });
  finProgression();
  if (!r.fait()) {
    m_v.ficheCourante = avant;
    m_v.titreModifie = 0;
    m_v.reponse = m_dialogues->message(r.message, 48, QStringLiteral("Message"));
    return false;
  }
  m_v.reponseTexte = sansEspaces(m_v.ficheCourante.get(Champ::titre));

  if (!trier)
    return true;
  if (m_v.modeCreation == 1)
    VScroll1->setMaximum(m_v.nbFiches);
  m_v.titreModifie = m_v.modeCreation = 0;
  // Show the card just saved, found by its record number: a search by title
  // could stop on another card whose title contains this one.
  for (int p = 1; p <= m_v.nbFiches; ++p)
    if (m_v.tabIndex[p].numero == numero) {
      afficherPosition(p);
      break;
    }
  return true;
}

bool Filmorel::catalogueComplet() {
  if (m_v.nbFiches < Variables::MaxFiches)
    return false;
  m_v.reponse = m_dialogues->message(QStringLiteral("Le catalogue est complet : il ne peut contenir plus de %1 "
                                                    "fiches.\r\rCette fiche ne peut pas être enregistrée.")
                                         .arg(Variables::MaxFiches),
                                     48, QStringLiteral("Message"));
  return true;
}

void Filmorel::annulerSaisie() {
  m_v.reponse = m_dialogues->message(QStringLiteral("Etes-vous sûr de vouloir annuler ?\r\rSi oui, aucune "
                                                    "modification ne sera apportée."),
                                     36, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Non)
    return;
  if (m_v.nbFiches == 0) {
    m_dialogues->message(QStringLiteral("Aucune fiche saisie dans le logiciel.\r\rFin de l'application !!!"), 48,
                         QStringLiteral("Message"));
    m_v.modifEnCours = m_v.pretEnCours = m_v.modeCreation = 0;
    terminer();
    return;
  }
  for (int i = 0; i <= static_cast<int>(Champ::preter); ++i)
    champs()[i]->setEnabled(true);
  lire_idx();
  lire();
  afficher();
  Demasquer();
  retour->setVisible(true);
  for (int i = 0; i < 5; ++i) {
    ajou[i]->setVisible(false);
    sup[i]->setVisible(false);
  }
  for (QWidget *w : std::initializer_list<QWidget *>{preter, datepret, nom, ajou[3], sup[3]})
    w->setEnabled(true);
  conteneur->setEnabled(false);
  montrerNavigateurJackets(this, false);
  VScroll1->setVisible(true);
  eansearch->setFocus();
  m_v.pretEnCours = m_v.modifEnCours = m_v.modeCreation = 0;
  m_v.titreModifie = 0;
}
