#include "mainwindow/filmorel.h"

// Loans: coming next.
void Filmorel::pretdvd() {}
void Filmorel::retourdvd() {}
void Filmorel::enreg_prets() {}
void Filmorel::voirhistoric() {}
