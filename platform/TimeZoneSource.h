#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dashcam {

// The operating system's time-zone catalogue in the shape of its registry key: one sub-key per
// zone, named by the zone's id, holding the text values "Display" (the text shown to the user)
// and "Std" (the standard-time name) and the 44-byte binary value "TZI" (Bias, StandardBias,
// DaylightBias, StandardDate, DaylightDate, little-endian; biases are minutes to add to local
// time to get UTC).
class ITimeZoneSource {
public:
    virtual ~ITimeZoneSource() = default;

    // The zones' sub-key names, in the order the catalogue lists them.
    virtual std::vector<std::u16string> SubKeyNames() = 0;
    // The names of one sub-key's values; false when the sub-key cannot be opened.
    virtual bool ValueNames(const std::u16string& subKey, std::vector<std::u16string>& names) = 0;
    // A value's raw bytes (text values as UTF-16LE with a terminating NUL); false when it cannot
    // be read.
    virtual bool QueryValue(const std::u16string& subKey, const std::u16string& valueName,
                            std::vector<std::uint8_t>& data) = 0;
};

} // namespace dashcam
