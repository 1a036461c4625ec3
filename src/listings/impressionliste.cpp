#include "listings/impression.h"
#include "listings/listpret.h"
#include "mainwindow/filmorel.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"

Imprimante &Filmorel::imprimante() {
  if (!m_imprimante)
    m_imprimante = std::make_shared<ImprimanteQt>();
  // Without a printer the report goes to a PDF file of the data folder.
  if (auto *qt = dynamic_cast<ImprimanteQt *>(m_imprimante.get()))
    qt->setDossierPdf(m_v.cheminAppli);
  return *m_imprimante;
}

namespace impression {
void brancher(ListPret &fenetre, Filmorel &f) {
  ListPret *w = &fenetre;
  fenetre.surImprimer = [w, &f] {
    imprimer(depuis(*w->Grille, f.v(), aujourdhui()), f.imprimante(), f.dialogues(), w);
  };
  fenetre.surConfigurer = [&f] { f.dialogues().configurerImprimante(); };
  fenetre.nomImprimante = [&f] { return f.imprimante().nomPeripherique(); };
  fenetre.Timer1_Timer();
}
} // namespace impression
