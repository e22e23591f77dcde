// Test entry for programs that need a QApplication: widgets, timers and serial ports.
// The widgets are never put on a screen: the offscreen platform is used unless one is set.
// QStandardPaths points into its test folders (~/.qttest), so no test reaches the user's own
// data or configuration (the write history, T-adjust.ini).

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
