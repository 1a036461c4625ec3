// Listings over the generated catalogue: what their content costs, and with a
// QApplication also the whole command with the list window shown.
#include "listings/listing.h"
#include "listings/listpret.h"
#include "mainwindow/filmorel.h"
#include "mesure.h"
#include "outils.h"
#include "platform/dialogues.h"
#include "storage/fichiers.h"
#include "storage/historique.h"
#include "storage/reglages.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

const QString kEmprunteur = QStringLiteral("Bench Emprunteur");

// 500 history files of three loans each, one of them to kEmprunteur.
void ecrireHistoriques(const QString &dossier, int n) {
  QList<EntreeIndex> entrees;
  fichiers::lireEntrees(dossier, 1, n, entrees);
  for (int i = 0; i < qMin(500, int(entrees.size())); ++i)
    historique::ecrire(historique::chemin(dossier, entrees[i].ean()),
                       {{QStringLiteral("Durand"), QStringLiteral("01/02/2004"), QStringLiteral("05/02/2004")},
                        {kEmprunteur, QStringLiteral("03/03/2005"), QStringLiteral("09/03/2005")},
                        {QStringLiteral("Zoé"), QStringLiteral("04/04/2006"), QStringLiteral("10/04/2006")}});
}

void fermerListe(Filmorel &f) {
  if (f.listpret)
    f.listpret->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

void bench_listes(const QString &dossierCatalogue) {
  QTemporaryDir tmp;
  QString dossier;
  const int n = copieDeTravail(dossierCatalogue, tmp, dossier);
  if (n < 1)
    return;
  ecrireHistoriques(dossier, n);
  const int runs = 21;

  // Criteria taken from the first card, so every listing has matches.
  Fiche premiere;
  EntreeIndex e1;
  fichiers::lireEntree(dossier, 1, e1);
  fichiers::lireFiche(dossier, e1.numero, premiere);
  auto valeur = [&](Champ c) { return sansEspaces(premiere.get(c)); };

  // --- content only: the walk over the files and the rows ---
  mesurer("liste des films, contenu (tri par date)", runs, [&] {
    Listing l = listes::nouveauCatalogue();
    listes::parcourir(dossier, n, [&](int, const EntreeIndex &e, const Fiche *fi) {
      listes::ajouterAuCatalogue(l, e, fi);
    });
    listes::trierParDate(l);
  });
  mesurer("liste des prets, contenu", runs, [&] {
    Listing l = listes::nouveauxPrets();
    listes::parcourir(dossier, n, [&](int, const EntreeIndex &, const Fiche *fi) {
      if (fi && listes::estPrete(*fi))
        listes::ajouterAuxPrets(l, *fi);
    });
  });

  auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
  if (!app) {
    std::printf("listes: no QApplication, window timings skipped\n");
    return;
  }

  // --- whole commands, list window shown ---
  const QString avant = QDir::currentPath();
  QDir::setCurrent(dossier);
  DialoguesFixes dlg;
  Filmorel f(&dlg);
  f.demarrer();
  QDir::setCurrent(avant);
  auto fermer = [&] { fermerListe(f); };

  dlg.reponse = Dialogues::Non;
  mesurer("voirliste, ordre alphabetique, fenetre affichee", runs, [&] { f.voirliste(); }, fermer);
  dlg.reponse = Dialogues::Oui;
  mesurer("voirliste, triee par date, fenetre affichee", runs, [&] { f.voirliste(); }, fermer);
  mesurer("voirpret", runs, [&] { f.voirpret(); }, fermer);

  dlg.reponse = Dialogues::OK;
  mesurer("voirgenre", runs, [&] { f.voirgenre(valeur(Champ::genre)); }, fermer);
  mesurer("voirediteur", runs, [&] { f.voirediteur(valeur(Champ::editeur).left(4).toLower()); }, fermer);
  mesurer("voirfilmterme (une lettre)", runs, [&] { f.voirfilmterme(QStringLiteral("e")); }, fermer);
  mesurer("voiracteur", runs, [&] { f.voiracteur(valeur(Champ::acteurs).section(u',', 0, 0)); }, fermer);
  mesurer("voirrealisateur", runs, [&] { f.voirrealisateur(valeur(Champ::realisateur)); }, fermer);
  f.v().acheteurChoisi = valeur(Champ::achat);
  mesurer("voirfilmachat", runs, [&] { f.voirfilmachat(); }, fermer);
  mesurer("voirfilm (500 historiques)", runs, [&] { f.voirfilm(kEmprunteur); }, fermer);
  fermer();
}
