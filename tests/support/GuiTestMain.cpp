// Runs GoogleTest inside a QApplication on the headless platform, with Tahoma available.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/linux/LinuxProgramHost.h"
#include "skin/SkinAccessibility.h"
#include "skin/SkinFonts.h"

// Read by LeakSanitizer in the sanitizer build (and ignored otherwise): Qt's D-Bus module keeps
// its connection data until the process ends and frees none of it, which is not ours to fix.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libQt6DBus.so\n";
}
extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    dashcam::RegisterTahomaIfMissing(dashcam::LinuxProgramHost().FontFolders());
    dashcam::InstallSkinAccessibility();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
