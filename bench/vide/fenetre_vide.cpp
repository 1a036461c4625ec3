// The anchors of the start-up measure, linked with Qt Widgets only and
// timed to their first painted frame like the program: an empty Qt window,
// and with --texte the least a card needs, its menu bar and four lines of
// text in the window's four fonts.
#include "platform/premiereimage.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("VIDE"));
  w.resize(1090, 690);
  if (QApplication::arguments().contains(QStringLiteral("--texte"))) {
    for (const char *menu : {"&Fichier", "Recherche &Directe", "Rechercher par &Liste", "&Afficher", "&?"})
      w.menuBar()->addMenu(QString::fromUtf8(menu));
    auto *centre = new QWidget(&w);
    auto *l = new QVBoxLayout(centre);
    auto *etiquette = new QLabel(QStringLiteral("REALISATEUR :"), centre);
    QFont gras = etiquette->font();
    gras.setBold(true);
    etiquette->setFont(gras);
    auto *compteur = new QLabel(QStringLiteral("1 / 2000"), centre);
    compteur->setFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));
    auto *titre = new QPlainTextEdit(QStringLiteral("Aventure"), centre);
    titre->setFont(QFont(QStringLiteral("Bookman Old Style"), 12, QFont::Bold));
    l->addWidget(compteur);
    l->addWidget(etiquette);
    l->addWidget(new QLineEdit(QStringLiteral("Claude Chabrol"), centre));
    l->addWidget(titre);
    w.setCentralWidget(centre);
  }
  if (QApplication::arguments().contains(QStringLiteral("--mesurer-demarrage")))
    mesurerPremiereImage(&w);
  w.show();
  return QApplication::exec();
}
