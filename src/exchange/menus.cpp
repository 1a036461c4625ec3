#include "mainwindow/filmorel.h"

// Exchange: coming next.
void Filmorel::SM_Exporter_Liste_Click() {}
void Filmorel::SM_Exporter_Click() {}
void Filmorel::SM_Importer_Click() {}
