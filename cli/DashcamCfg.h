#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/PlatformServices.h"

namespace dashcam {

// The scriptable command-line editor: shows and changes the fields of a card's settings record
// through the same settings store as the desktop editor.
class DashcamCfg {
public:
    enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

    DashcamCfg(PlatformServices& platform, std::ostream& out, std::ostream& err)
        : m_platform(platform), m_out(out), m_err(err) {}

    // Arguments without the program name.
    int Run(const std::vector<std::string>& arguments);

    static const char* HelpText();

private:
    int Show(const std::string& card);
    int Get(const std::string& card, const std::vector<std::string>& fields);
    int Set(const std::string& card, const std::vector<std::string>& assignments);

    PlatformServices& m_platform;
    std::ostream& m_out;
    std::ostream& m_err;
};

} // namespace dashcam
