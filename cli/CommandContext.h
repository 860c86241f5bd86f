#pragma once

#include <iosfwd>

#include "cli/CommandLine.h"
#include "platform/PlatformServices.h"

namespace dashcam {

// What every command of the command line works with.
struct CommandContext {
    PlatformServices& platform;
    std::istream& in; // a profile given as "-"
    std::ostream& out;
    std::ostream& err;
    const CommandLine& line;
};

// The exit statuses: diff uses 0 equal, 1 different, 2 trouble, as diff(1) does.
enum ExitCode { kOk = 0, kFailed = 1, kUsage = 2 };

} // namespace dashcam
