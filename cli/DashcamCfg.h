#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/PlatformServices.h"

namespace dashcam {

struct CommandLine;

// The scriptable command-line editor: shows, compares and changes the settings of one card or
// many through the same settings store as the desktop editor, and writes the camera's request
// files.
class DashcamCfg {
public:
    enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

    DashcamCfg(PlatformServices& platform, std::istream& in, std::ostream& out, std::ostream& err)
        : m_platform(platform), m_in(in), m_out(out), m_err(err) {}

    // Arguments without the program name.
    int Run(const std::vector<std::string>& arguments);

    static std::string HelpText();

private:
    int Dispatch(const CommandLine& line, PlatformServices& platform);

    PlatformServices& m_platform;
    std::istream& m_in;
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace dashcam
