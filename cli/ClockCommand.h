#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CommandContext.h"
#include "settings/ClockRequest.h"

namespace dashcam {

// The camera's request files: clock CARD now|YYYY-MM-DDTHH:MM:SS|--clear writes or removes
// time.dat; touch-calibration CARD makes set_touch_cal.txt at the root of the card's volume.
class ClockCommand {
public:
    explicit ClockCommand(const CommandContext& context) : m_context(context) {}

    int Clock(const std::vector<std::string>& operands);
    int TouchCalibration(const std::vector<std::string>& operands);

    // "now" (the PC's local time, as TZ says) or a local date and time; none when malformed.
    static std::optional<SystemTime> ParseTime(const std::string& text);

private:
    const CommandContext& m_context;
};

} // namespace dashcam
