#pragma once
#include "storage/entreeindex.h"
#include "storage/fiche.h"
#include <QList>
#include <QString>
#include <functional>

// What the searches find, without any window: the tests of one index entry
// or card, and the walk over the title index that every search shares.
// Positions count from 1; a search that finds nothing returns 0.
namespace recherche {

// The title part of the key (blanks around removed) contains the text
// (blanks around removed), both upper-cased.
bool titreContient(const EntreeIndex &e, const QString &texte);
// The first character of the title part, upper-cased, contains the text:
// with one letter, the title begins with it in either case.
bool commencePar(const EntreeIndex &e, const QString &lettre);
// The first 13 characters of the key, blanks around the key removed, are
// exactly the bar code.
bool memeCodeBarre(const EntreeIndex &e, const QString &ean);
// The card's lent field is exactly "Oui".
bool estPretee(const Fiche &f);

// Positions debut..fin, in order (none when fin < debut).
QList<int> positions(int debut, int fin);
// The nbFiches positions after `courante`, wrapping after the last, so that
// `courante` comes last; from 1 when `courante` is out of range.
QList<int> positionsApres(int courante, int nbFiches);

using Progression = std::function<void(int)>;

// Examines the positions in order: entry p is read from dvd.idx into
// tabIndex[p] (the walk refreshes the cache) and tested. Returns the first
// position that passes. Positions outside 1..tabIndex.size()-1 are skipped.
int parcourir(const QString &dossier, const QList<int> &positions, QList<EntreeIndex> &tabIndex,
              const std::function<bool(const EntreeIndex &)> &test, const Progression &progression = {});

// The searches of the main window, on entries 1..nbFiches.
int titre(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex, const QString &texte,
          const Progression &progression = {});
int codeBarre(const QString &dossier, int nbFiches, QList<EntreeIndex> &tabIndex, const QString &ean,
              const Progression &progression = {});
int lettre(const QString &dossier, int nbFiches, int courante, QList<EntreeIndex> &tabIndex,
           const QString &lettre, const Progression &progression = {});
// Next lent card after `courante`; when there is none up to the last card,
// a second pass over the whole index (`courante` included).
int pret(const QString &dossier, int nbFiches, int courante, QList<EntreeIndex> &tabIndex);

} // namespace recherche
