#pragma once
#include <QString>
#include <QtGlobal>

// Writes a complete data folder of `n` cards (at most 2000) into `dossier`:
// dvd.lst, dvd.idx in title order, dvd.ini with its lookup lists, loan
// histories for some cards, and the folders jackets/ and export/. Titles are
// French, with accents; a few hold a line break, some cards are lent. The
// same seed gives the same folder.
void genererCatalogue(const QString &dossier, int n = 2000, quint32 graine = 1);

// Draws a 200 x 285 JPEG cover for each of the first `n` cards of the
// folder (the file its card names in jackets/), for screenshots and the
// exchange journeys. Needs a QGuiApplication.
// Sorts entries 1..n of dvd.idx in place, writing only what moved.
void reclasserFichier(const QString &dossier, int n);
void genererJaquettes(const QString &dossier, int n);
