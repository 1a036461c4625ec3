#include <gtest/gtest.h>
#ifdef FILMOREL_CORE_ONLY
#include <QCoreApplication>
#else
#include "platform/imprimante.h"

#include <QApplication>
#include <QStandardPaths>
#endif

int main(int argc, char **argv) {
#ifdef FILMOREL_CORE_ONLY
  QCoreApplication app(argc, argv);
#else
  // Test discovery runs this binary during the build: widgets need a
  // platform even there, so default to the offscreen one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Window sizes and places kept between runs go to a test store.
  QStandardPaths::setTestModeEnabled(true);
  substituerPolices();
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
