// Runs GoogleTest inside a QApplication on the headless platform, with Tahoma available.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "skin/SkinFonts.h"

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    dashcam::RegisterTahomaIfMissing();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
