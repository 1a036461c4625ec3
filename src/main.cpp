#include "mainwindow/filmorel.h"
#include "platform/imprimante.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Filmorel"));
  // Standard buttons in French (Oui / Non / Annuler).
  QTranslator fr;
  if (fr.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&fr);
  substituerPolices();

  Filmorel fenetre;
  QObject::connect(&fenetre, &Filmorel::programmeTermine, &app, &QApplication::quit, Qt::QueuedConnection);
  fenetre.show();
  if (!fenetre.demarrer())
    return 0;
  if (fenetre.termine())
    return 0;
  return QApplication::exec();
}
