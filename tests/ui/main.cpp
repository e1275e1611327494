#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // The window is made for screens of 1920 x 1080; the offscreen platform's own screen is
  // smaller, so the tests give it one of that size (checks of what fits on the screen need it).
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + ZORVEL_TEST_SCREEN_CONFIG);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
