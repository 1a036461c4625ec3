// The anchor of the start-up measure: an empty Qt window, linked with Qt
// Widgets only, timed to its first painted frame like the program.
#include "platform/premiereimage.h"
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("VIDE"));
  w.resize(1090, 690);
  if (QApplication::arguments().contains(QStringLiteral("--mesurer-demarrage")))
    mesurerPremiereImage(&w);
  w.show();
  return QApplication::exec();
}
