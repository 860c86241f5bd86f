#include <iostream>
#include <string>
#include <vector>

#include "cli/DashcamCfg.h"
#include "platform/NullDebugOutput.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    bool verbose = false;
    if (!arguments.empty() && (arguments[0] == "-v" || arguments[0] == "--verbose")) {
        verbose = true;
        arguments.erase(arguments.begin());
    }
    dashcam::LinuxPlatform platform;
    dashcam::NullDebugOutput quiet;
    dashcam::PlatformServices services = platform.Services();
    dashcam::PlatformServices chosen{verbose ? services.debug : quiet,
                                     services.files,
                                     services.pcTimeZone,
                                     services.volumes,
                                     services.registry,
                                     services.program,
                                     services.viewer,
                                     services.timeZones,
                                     services.formatter};
    return dashcam::DashcamCfg(chosen, std::cout, std::cerr).Run(arguments);
}
