#include "timezones/CRegTimeZoneInfo.h"

#include <algorithm>
#include <array>

namespace dashcam {
namespace {

class LittleEndianReader {
public:
    explicit LittleEndianReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::uint32_t Next(int width) {
        std::uint32_t value = 0;
        for (int i = 0; i < width; ++i) {
            value |= std::uint32_t(m_bytes[m_at++]) << (8 * i);
        }
        return value;
    }
    std::int32_t NextI32() { return static_cast<std::int32_t>(Next(4)); }
    // Negated in 32-bit arithmetic, so the most negative value stays itself instead of
    // overflowing.
    std::int32_t NextNegatedI32() { return static_cast<std::int32_t>(0u - Next(4)); }
    SystemTime NextSystemTime() {
        SystemTime t;
        for (std::uint16_t* part : {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay, &t.wHour,
                                    &t.wMinute, &t.wSecond, &t.wMilliseconds}) {
            *part = static_cast<std::uint16_t>(Next(2));
        }
        return t;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_at = 0;
};

} // namespace

void CRegTimeZoneInfo::SetTzi(std::span<const std::uint8_t> bytes) {
    std::array<std::uint8_t, kTziBytes> tzi{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), tzi.size()), tzi.begin());
    LittleEndianReader reader(tzi);
    Bias = reader.NextNegatedI32();
    StandardBias = reader.NextI32();
    DaylightBias = reader.NextNegatedI32();
    StandardDate = reader.NextSystemTime();
    DaylightDate = reader.NextSystemTime();
}

} // namespace dashcam
