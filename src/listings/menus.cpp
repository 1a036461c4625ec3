#include "mainwindow/filmorel.h"

#include "listings/choix.h"
#include "listings/impression.h"
#include "listings/listing.h"
#include "listings/listpret.h"
#include "platform/dialogues.h"
#include "storage/historique.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTableWidget>

using listes::Critere;

namespace {
// Puts the listing into the list window and shows it; the main window is
// disabled until the list window closes.
void montrer(Filmorel &f, const Listing &l) {
  ListPret *w = f.fenetreListe();
  f.v().typeListe = l.typeListe;
  w->afficherListing(l);
  f.ouvrirFenetreSecondaire(w);
  w->Grille->setFocus();
}

// Nothing found: the listing's message (OK/Cancel), back to the search box.
void signalerAbsence(Filmorel &f, const QString &message) {
  f.v().reponse = f.dialogues().message(message + u'\r', Dialogues::BoutonsOKAnnuler, QStringLiteral("Message"));
  f.eansearch->setFocus();
}

// The six card listings differ only by their test; the shown card, the scroll
// bar and the loaded history of the main window are left as they were.
void voirCritere(Filmorel &f, Critere c, const QString &critere) {
  Variables &v = f.v();
  f.setProgression(0, v.nbFiches);
  Listing l = listes::nouveauFiltre(c, critere);
  listes::parcourir(v.cheminAppli, v.nbFiches, [&](int p, const EntreeIndex &e, const Fiche *fiche) {
    f.Progress->setValue(p);
    if (fiche && listes::correspond(c, critere, *fiche))
      listes::ajouterAuFiltre(l, e);
    l.rattacher(p);
  });
  f.finProgression();
  f.verif_historic();
  if (l.lignes.isEmpty())
    signalerAbsence(f, QString::fromUtf8(listes::defCritere(c).absent));
  else
    montrer(f, l);
}
} // namespace

ListPret *Filmorel::fenetreListe() {
  if (!listpret) {
    listpret = new ListPret(*this);
    // The window has no parent (a disabled parent would disable it): it goes
    // with the main window. Closing it clears `listpret` (Form_Unload).
    connect(this, &QObject::destroyed, listpret, [w = listpret] { delete w; });
    impression::brancher(*listpret, *this);
  }
  return listpret;
}

// F11 and F12 belong to the menu "Afficher": while it is disabled (a card
// being edited or lent) they do nothing.
void Filmorel::SM_Afficher_Pret_Click() {
  if (M_Afficher->menuAction()->isEnabled())
    voirpret();
}

void Filmorel::SM_Afficher_Films_Click() {
  if (M_Afficher->menuAction()->isEnabled())
    voirliste();
}

void Filmorel::voirliste() {
  setProgression(0, m_v.nbFiches);
  Listing l = listes::nouveauCatalogue();
  listes::parcourir(m_v.cheminAppli, m_v.nbFiches, [&](int p, const EntreeIndex &e, const Fiche *fiche) {
    Progress->setValue(p);
    listes::ajouterAuCatalogue(l, e, fiche);
    l.rattacher(p);
  });
  finProgression();

  m_v.reponse = m_dialogues->message(QStringLiteral("Voulez-vous un affichage trié par date d'achat ?"),
                                     Dialogues::BoutonsOuiNon + Dialogues::IconeQuestion, QStringLiteral("Message"));
  if (m_v.reponse == Dialogues::Oui) {
    setCursor(Qt::WaitCursor);
    listes::trierParDate(l);
    unsetCursor();
  }
  montrer(*this, l);
}

void Filmorel::voirpret() {
  setProgression(0, m_v.nbFiches);
  Listing l = listes::nouveauxPrets();
  listes::parcourir(m_v.cheminAppli, m_v.nbFiches, [&](int p, const EntreeIndex &, const Fiche *fiche) {
    Progress->setValue(p);
    if (fiche && listes::estPrete(*fiche))
      listes::ajouterAuxPrets(l, *fiche);
    l.rattacher(p);
  });
  finProgression();
  if (l.lignes.isEmpty())
    signalerAbsence(*this, QStringLiteral("Aucun prêt trouvé !!!"));
  else
    montrer(*this, l);
}

void Filmorel::voirgenre(const QString &genre) { voirCritere(*this, Critere::Genre, genre); }
void Filmorel::voirediteur(const QString &editeur) { voirCritere(*this, Critere::Editeur, editeur); }
void Filmorel::voirfilmterme(const QString &terme) { voirCritere(*this, Critere::Terme, terme); }
void Filmorel::voiracteur(const QString &acteur) { voirCritere(*this, Critere::Acteur, acteur); }
void Filmorel::voirrealisateur(const QString &realisateur) {
  voirCritere(*this, Critere::Realisateur, realisateur);
}
void Filmorel::voirfilmachat() { voirCritere(*this, Critere::Acheteur, m_v.acheteurChoisi); }

void Filmorel::voirfilm(const QString &emprunteur) {
  setProgression(0, m_v.nbFiches);
  Listing l = listes::nouveauxFilmsPretes(emprunteur);
  const listes::DossierHistorique histos(m_v.cheminAppli);
  listes::parcourirIndex(m_v.cheminAppli, m_v.nbFiches, [&](int p, const EntreeIndex &e) {
    Progress->setValue(p);
    QList<Pret> prets;
    // An unreadable history file has no loans to list.
    const QString chemin = histos.chemin(e.ean());
    if (!chemin.isEmpty() && historique::lire(chemin, prets) == historique::Lecture::Lu)
      listes::ajouterLesPretsA(l, emprunteur, e, prets);
    l.rattacher(p);
  });
  finProgression();
  verif_historic();
  if (l.lignes.isEmpty())
    signalerAbsence(*this, QStringLiteral("Aucun prêt trouvé pour cette personne !!!"));
  else
    montrer(*this, l);
}

void Filmorel::SM_Afficher_FilmTerme_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Terme); }
void Filmorel::SM_Afficher_FilmPretPersonne_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Emprunteur); }
void Filmorel::SM_Afficher_FilmTriGenre_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Genre); }
void Filmorel::SM_Afficher_FilmTriEditeur_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Editeur); }
void Filmorel::SM_Afficher_FilmTriRealisateur_Click() {
  ChoixDialogue::ouvrir(*this, ChoixDialogue::Realisateur);
}
void Filmorel::SM_Afficher_FilmTriActeur_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Acteur); }
void Filmorel::SM_Afficher_AchatFilm_Click() { ChoixDialogue::ouvrir(*this, ChoixDialogue::Acheteur); }
