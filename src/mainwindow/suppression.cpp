#include "mainwindow/filmorel.h"

// Deletion, lookup-list editing and the cover browser: coming next.
void Filmorel::suppression() {}
void Filmorel::supprimer_Click() {}
void Filmorel::ajouterALaListe(int) {}
void Filmorel::supprimerDeLaListe(int) {}
void Filmorel::preparerJackets() {}
