// The bare window as a program of its own, for start-up comparisons on a real X server.
#include <QApplication>

#include "bench/BareWindow.h"
#include "platform/linux/LinuxProgramHost.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    dashcam::RegisterTahomaIfMissing(dashcam::LinuxProgramHost().FontFolders());
    BareWindow window;
    window.show();
    return app.exec();
}
