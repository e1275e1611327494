// The painter needs fonts, which need a QGuiApplication.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "core/Tables.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  zorvel::PopulatePrecalculatedArrays();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
