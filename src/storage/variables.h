#pragma once
#include "entreeindex.h"
#include "fiche.h"
#include "historique.h"
#include <QList>
#include <QString>

// The program's shared state, one object owned by the main window.
struct Variables {
  static constexpr int MaxFiches = 2000;
  static constexpr int MaxHisto = 1000;

  // Index cache, positions 1..2000 (position 0 unused).
  QList<EntreeIndex> tabIndex = QList<EntreeIndex>(MaxFiches + 1);
  Fiche ficheCourante;
  int nbFiches = 0;
  int jacketChoisie = 0;

  // Loaded history of one DVD, positions 1..nbHisto (0 unused).
  QList<QString> histNoms = QList<QString>(MaxHisto + 1);
  QList<QString> histDatesPret = QList<QString>(MaxHisto + 1);
  QList<QString> histDatesRetour = QList<QString>(MaxHisto + 1);
  int nbHisto = 0;

  int nbGenres = 0, nbEditeurs = 0, nbSons = 0, nbAcheteurs = 0, nbNoms = 0;
  QString margeHaut, margeBas, margeGauche, margeDroite;

  QString cheminAppli;  // data folder, with a trailing separator
  QString cheminExport; // exchange folder
  int posCourante = 1;
  bool focusScroll = false;

  int modifEnCours = 0, pretEnCours = 0, modeCreation = 0, titreModifie = 0;

  int typeListe = 0;
  QString acheteurChoisi;

  int nbSelection = 0;
  int selectionAnnulee = 0;
  int modeExport = 0, modeImport = 0;
  int nbImport = 0;

  int reponse = 0;       // answer code of the last message box
  QString reponseTexte;  // search text handed between procedures

  // Loads the loaded history from a list of loans.
  void chargerHistorique(const QList<Pret> &prets);
  QList<Pret> historiqueCharge() const;
};
