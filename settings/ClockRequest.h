#pragma once

#include <cstdint>

namespace dashcam {

// The platform's date-time layout; the clock file uses year to second.
struct SystemTime {
    std::uint16_t wYear = 0;
    std::uint16_t wMonth = 0;
    std::uint16_t wDayOfWeek = 0;
    std::uint16_t wDay = 0;
    std::uint16_t wHour = 0;
    std::uint16_t wMinute = 0;
    std::uint16_t wSecond = 0;
    std::uint16_t wMilliseconds = 0;

    bool operator==(const SystemTime&) const = default;
};

// A request for the camera to set its clock, written to the card as time.dat at Save.
struct ClockRequest {
    std::uint32_t flag = 0; // 1 when a clock setting is requested
    SystemTime time;

    bool operator==(const ClockRequest&) const = default;
};

} // namespace dashcam
