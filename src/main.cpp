#include "mainwindow/dossier.h"
#include "mainwindow/filmorel.h"
#include "platform/demarrage.h"
#include "platform/imprimante.h"
#include "platform/premiereimage.h"
#include "storage/fichiers.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char **argv) {
  EnAvance polices(lirePolices);
  fichiers::garderMemoireDesParcours();
  // --help and --version are answered without opening the display, so they
  // work in a terminal without one.
  const bool sansFenetre = std::any_of(argv + 1, argv + argc, [](const char *a) {
    for (const char *o : {"-h", "--help", "-v", "--version"})
      if (std::strcmp(a, o) == 0)
        return true;
    return false;
  });
  std::unique_ptr<QCoreApplication> app(sansFenetre ? new QCoreApplication(argc, argv)
                                                    : new QApplication(argc, argv));
  QCoreApplication::setApplicationName(QStringLiteral("Filmorel"));
  QCoreApplication::setApplicationVersion(QStringLiteral(FILMOREL_VERSION));
  // Qt's own texts in French: standard buttons (Oui / Non / Annuler) and the
  // command-line help.
  QTranslator fr;
  if (fr.load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&fr);

  QCommandLineParser ligne;
  ligne.setApplicationDescription(QStringLiteral("Filmorel : catalogue d'une collection de DVD."));
  const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Affiche cette aide et quitte."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Affiche la version et quitte."));
  QCommandLineOption mesure(QStringLiteral("mesurer-demarrage"),
                            QStringLiteral("Affiche l'heure de la première fiche peinte et quitte."));
  mesure.setFlags(QCommandLineOption::HiddenFromHelp);
  ligne.addOptions({aide, version, mesure});
  ligne.addPositionalArgument(QStringLiteral("dossier"),
                              QStringLiteral("Dossier du catalogue à ouvrir. Sans dossier : le dossier courant "
                                             "s'il contient un dvd.ini, sinon ~/Filmorel. Un dossier absent ou "
                                             "vide reçoit un catalogue vide."),
                              QStringLiteral("[dossier]"));
  ligne.process(*app);
  if (ligne.isSet(aide))
    ligne.showHelp(0);
  if (ligne.isSet(version))
    ligne.showVersion();
  if (ligne.positionalArguments().size() > 1) {
    std::fputs(qPrintable(QStringLiteral("Un seul dossier à la fois.\n")), stderr);
    return 1;
  }
  substituerPolices();
  polices.attendre();
  // The first card looks up its cover and loan history ignoring case: the
  // folders it looks in are listed on the other core meanwhile.
  const QString probable = QFileInfo(dossier::choisir(ligne.positionalArguments().value(0), QDir::currentPath(),
                                                      QDir::homePath()))
                               .canonicalFilePath();
  EnAvance listages([probable] {
    if (!probable.isEmpty())
      for (const char *sous : {"historique", "jackets"})
        listerAvance(probable + u'/', QString::fromLatin1(sous));
  });

  // The desktop finds the menu entry and its icon for the window by this id.
  QGuiApplication::setDesktopFileName(QStringLiteral(FILMOREL_APP_ID));
  Filmorel fenetre;
  QObject::connect(&fenetre, &Filmorel::programmeTermine, app.get(), &QCoreApplication::quit, Qt::QueuedConnection);
  // bench/ times the start-up to the first painted card with this option.
  if (ligne.isSet(mesure))
    mesurerPremiereImage(&fenetre);
  fenetre.show();
  const QString donnees = dossier::preparer(fenetre.dialogues(), ligne.positionalArguments().value(0),
                                            QDir::currentPath(), QDir::homePath(),
                                            dossier::catalogueDeDepart(QCoreApplication::applicationDirPath()));
  if (donnees.isEmpty() || !QDir::setCurrent(donnees))
    return 1;
  if (!fenetre.demarrer())
    return 0;
  if (fenetre.termine())
    return 0;
  return QCoreApplication::exec();
}
