// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  // Test discovery runs the program without the tests' environment; windows then still need a
  // platform that works without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Tessaro");
  QApplication::setApplicationName("Vostra-Kalibra");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
