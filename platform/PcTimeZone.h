#pragma once

#include <cstdint>
#include <string>

namespace dashcam {

// The PC's current zone in the conventions of the zone catalogue: biases are minutes to add to
// local time to get UTC (so east of Greenwich is negative).
struct TimeZoneInformation {
    std::int32_t Bias = 0;
    std::u16string StandardName; // the zone's catalogue key name, e.g. "Tokyo Standard Time"
    std::int32_t StandardBias = 0;
    std::int32_t DaylightBias = 0;
};

class IPcTimeZone {
public:
    virtual ~IPcTimeZone() = default;
    virtual TimeZoneInformation GetTimeZoneInformation() = 0;
};

} // namespace dashcam
