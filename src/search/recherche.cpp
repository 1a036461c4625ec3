#include "mainwindow/filmorel.h"

// Searches: coming next.
void Filmorel::recherchetitre() {}
void Filmorel::recherchedirecte() {}
void Filmorel::recherchepret() {}
void Filmorel::rechercheEan() {}
void Filmorel::SM_Recherche_Film_Click() {}
void Filmorel::SM_Recherche_Pret_Click() {}
