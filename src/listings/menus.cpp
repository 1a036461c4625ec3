#include "mainwindow/filmorel.h"

// Listings: coming next.
void Filmorel::SM_Afficher_Pret_Click() {}
void Filmorel::SM_Afficher_Films_Click() {}
void Filmorel::SM_Afficher_FilmTerme_Click() {}
void Filmorel::SM_Afficher_FilmPretPersonne_Click() {}
void Filmorel::SM_Afficher_FilmTriGenre_Click() {}
void Filmorel::SM_Afficher_FilmTriEditeur_Click() {}
void Filmorel::SM_Afficher_FilmTriRealisateur_Click() {}
void Filmorel::SM_Afficher_FilmTriActeur_Click() {}
void Filmorel::SM_Afficher_AchatFilm_Click() {}
