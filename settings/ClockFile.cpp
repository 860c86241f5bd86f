#include "settings/ClockFile.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "text/Trim.h"

namespace dashcam {
namespace {

// The first line is all that is read; a clock line is 25 bytes, so this is ample.
constexpr std::size_t kClockFileReadLimit = 4096;

// An optional sign, then the digits up to the first other character; no digits give 0. Values
// beyond 32 bits saturate instead of overflowing.
std::int32_t ToInteger(std::string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i++] == '-';
    }
    std::int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (s[i] - '0'), std::int64_t(INT_MAX) + 1);
    }
    value = negative ? -value : value;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::string_view FirstLine(std::string_view text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

bool ClockFile::ReadClockFile(const std::string& path, ClockRequest& request) {
    FileHead head = m_files.ReadHead(path, kClockFileReadLimit);
    if (!head.opened || head.bytes.empty()) {
        request.flag = 0;
        return false;
    }
    const std::string_view text(reinterpret_cast<const char*>(head.bytes.data()),
                                head.bytes.size());
    std::string_view rest = FirstLine(text.substr(0, text.find('\0')));

    std::array<std::int32_t, 6> numbers{};
    for (std::int32_t& number : numbers) {
        const std::size_t comma = rest.find(',');
        number = ToInteger(TrimAsciiSpace(rest.substr(0, comma)));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    SystemTime& t = request.time;
    t.wYear = static_cast<std::uint16_t>(numbers[0]);
    t.wMonth = static_cast<std::uint16_t>(numbers[1]);
    t.wDay = static_cast<std::uint16_t>(numbers[2]);
    t.wHour = static_cast<std::uint16_t>(numbers[3]);
    t.wMinute = static_cast<std::uint16_t>(numbers[4]);
    t.wSecond = static_cast<std::uint16_t>(numbers[5]);
    request.flag = 1;
    return true;
}

std::string ClockFile::FormatLine(const SystemTime& t, std::int32_t offsetMinutes) {
    const char sign = offsetMinutes > 0 ? '+' : '-';
    const std::int32_t magnitude = std::abs(offsetMinutes);
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%4d,%02d,%02d,%02d,%02d,%02d,%c%02d%02d",
                  int(t.wYear), int(t.wMonth), int(t.wDay), int(t.wHour), int(t.wMinute),
                  int(t.wSecond), sign, int(magnitude / 60), int(magnitude % 60));
    return buffer.data();
}

bool ClockFile::WriteClockFile(const std::string& path, const ClockRequest& request) {
    if (request.flag == 0) {
        // A clock file the camera would still find is a request it would act on, so a
        // failed delete is reported rather than taken as done.
        return m_files.Remove(path, m_lastError);
    }
    const std::int32_t offset = -m_zone.GetTimeZoneInformation().Bias;
    const std::string line = FormatLine(request.time, offset);
    WriteOutcome outcome = m_files.WriteWhole(
        path, std::span(reinterpret_cast<const std::uint8_t*>(line.data()), line.size()));
    m_lastError = outcome.error;
    return outcome.opened && outcome.written;
}

} // namespace dashcam
