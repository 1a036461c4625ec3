#pragma once
#include "storage/fiche.h"
#include "storage/reglages.h"
#include <QList>
#include <QString>
#include <QStringList>

// Builds data folders for tests with the real storage code.
namespace catalogue {

// A card with the usual values of a new card, the given bar code and title, and these fields changed.
Fiche fiche(const QString &ean, const QString &titre, const QList<QPair<Champ, QString>> &autres = {});

// Lookup lists and margins of the starter catalogue (no card).
Reglages reglagesDeBase();

// Writes dvd.lst (cards in the given record order), dvd.idx (sorted by
// title), dvd.ini (count = cards.size()) and the folders jackets/,
// historique/, export/, with a jackets/jacket.bmp picture.
void ecrire(const QString &dossier, const QList<Fiche> &cartes, Reglages r = reglagesDeBase());

// Points index entry `position` at record `numero` (a damaged index).
void repointer(const QString &dossier, int position, int numero);

// Convenience: cards named "Film 001".. with bar codes 3000000000001...
QList<Fiche> numerotees(int n);

// A small picture file (BMP or JPEG by extension).
void image(const QString &chemin, int largeur = 20, int hauteur = 28);

QByteArray contenu(const QString &chemin);
// Replaces the file with these bytes (fails the test when it cannot).
void ecrireOctets(const QString &chemin, const QByteArray &octets);
// Every file and folder under `dossier`, relative, sorted.
QStringList arborescence(const QString &dossier);
} // namespace catalogue
