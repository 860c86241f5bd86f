#pragma once

#include <string>

#include "cli/CommandContext.h"

namespace dashcam {

// info CARD: what the camera's lang/ver.dat says (firmware version, device, language pack, the
// menu languages by name) and the settings record's size and version words.
class InfoCommand {
public:
    explicit InfoCommand(const CommandContext& context) : m_context(context) {}

    int Run(const std::string& card);

private:
    const CommandContext& m_context;
};

} // namespace dashcam
