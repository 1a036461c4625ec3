#pragma once
#include <QString>

class Dialogues;

// The data folder the program opens, and the starter catalogue a new one is
// made from.
namespace dossier {

// The starter catalogue: share/catalogue of the source tree when the program
// runs from its build folder, else the one installed beside bin/
// (share/filmorel/catalogue), so an unpacked package finds its own.
QString catalogueDeDepart(const QString &dossierProgramme);

// The folder to open: `argument` when given, else the current folder when it
// holds a dvd.ini, else `maison`/Filmorel.
QString choisir(const QString &argument, const QString &courant, const QString &maison);

// The folder choisir() names, made ready. A folder that does not exist or is
// empty gets a copy of `depart` first (the user is told when he named it). A
// folder holding other files is left as it is (the start-up asks for its
// dvd.ini). Empty when the copy failed (said too): the program ends.
QString preparer(Dialogues &dialogues, const QString &argument, const QString &courant, const QString &maison,
                 const QString &depart);

} // namespace dossier
