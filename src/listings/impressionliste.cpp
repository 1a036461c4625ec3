#include "listings/impression.h"
#include "listings/listpret.h"
#include "mainwindow/filmorel.h"
#include "platform/dialogues.h"
#include "platform/imprimante.h"

#include <QLineEdit>
#include <memory>
#include <tuple>

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
  // A margin that would put text off the page is refused as it is typed:
  // the box goes back to its last value that fits.
  for (auto [boite, cote, plafond] : {std::tuple{w->mg, QStringLiteral("gauche"), MargeGaucheMax},
                                      std::tuple{w->mh, QStringLiteral("haute"), MargeHautMax}}) {
    auto garde = std::make_shared<QString>(millimetres(boite->text()) <= plafond ? boite->text()
                                                                                  : QString::number(plafond));
    QObject::connect(boite, &QLineEdit::textChanged, boite, [garde, plafond](const QString &t) {
      if (millimetres(t) <= plafond)
        *garde = t;
    });
    QObject::connect(boite, &QLineEdit::textEdited, boite, [&f, boite, cote, plafond, garde](const QString &t) {
      if (millimetres(t) <= plafond)
        return;
      // Once the edit is over: the box still announces the typed text.
      QMetaObject::invokeMethod(
          boite,
          [&f, boite, cote, plafond, garde] {
            f.dialogues().message(margeTropGrande(cote, plafond),
                                  Dialogues::BoutonOK + Dialogues::IconeExclamation, QStringLiteral("Message"));
            boite->setText(*garde);
          },
          Qt::QueuedConnection);
    });
  }
}
} // namespace impression
