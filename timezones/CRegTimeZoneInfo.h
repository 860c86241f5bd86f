#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "settings/ClockRequest.h"

namespace dashcam {

// One zone of the time-zone catalogue. The biases are kept in the record's sense: minutes east
// of UTC, so UTC+09:00 has Bias 540.
struct CRegTimeZoneInfo {
    // Capacities in UTF-16 units, terminating NUL included.
    static constexpr std::size_t kKeyNameUnits = 255;
    static constexpr std::size_t kDisplayUnits = 510;
    static constexpr std::size_t kStdUnits = 255;
    static constexpr std::size_t kTziBytes = 44;

    std::u16string KeyName;
    std::u16string Display;
    std::u16string Std;
    std::int32_t Bias = 0;
    std::int32_t StandardBias = 0;
    std::int32_t DaylightBias = 0;
    SystemTime StandardDate;
    SystemTime DaylightDate;

    // Takes the "TZI" value's bytes (at most 44, missing ones zero) and turns Bias and
    // DaylightBias from minutes west into minutes east.
    void SetTzi(std::span<const std::uint8_t> bytes);
};

} // namespace dashcam
