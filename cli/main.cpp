#include <iostream>
#include <string>
#include <vector>

#include "cli/DashcamCfg.h"
#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    dashcam::LinuxPlatform platform;
    dashcam::PlatformServices services = platform.Services();
    return dashcam::DashcamCfg(services, std::cin, std::cout, std::cerr).Run(arguments);
}
