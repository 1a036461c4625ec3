#include "mainwindow/filmorel.h"

// About window: coming next.
void Filmorel::SM_APropos_Click() {}
