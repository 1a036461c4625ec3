#pragma once
#include "storage/fiche.h"

#include <QString>

// What the card entry accepts, and how lookup-list items and listing criteria
// compare. No window needed.
namespace controles {

// "-" and "." become "/", as a typed date is stored.
QString dateSaisie(QString texte);
// A real calendar date written dd/mm/yyyy, or nothing but blanks.
bool dateAcceptee(const QString &texte);

// Exactly 13 digits.
bool ean13Complet(const QString &texte);
// 13 digits whose last one is the EAN-13 check digit of the first twelve.
bool cleEan13Juste(const QString &texte);

// The text as field c would hold it: cut to the field's width.
QString aLargeur(Champ c, const QString &texte);

// Order of the lookup lists: French alphabetical order, case ignored.
int comparerListe(const QString &a, const QString &b);

} // namespace controles
