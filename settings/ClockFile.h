#pragma once

#include <cstdint>
#include <string>

#include "platform/FileAccess.h"
#include "platform/PcTimeZone.h"
#include "settings/ClockRequest.h"

namespace dashcam {

// Reads and writes the camera's clock request file, one line such as
// "2024,03,05,07,08,09,+0900" (date, time and the PC's standard offset from UTC).
class ClockFile {
public:
    ClockFile(IFileAccess& files, IPcTimeZone& pcTimeZone) : m_files(files), m_zone(pcTimeZone) {}

    // Fills the request from the file's first line and sets its flag; clears the flag and
    // returns false when the file cannot be read or has no line.
    bool ReadClockFile(const std::string& path, ClockRequest& request);
    // Writes the line when the flag is set, deletes the file when it is clear; false when the
    // file could be neither written nor deleted.
    bool WriteClockFile(const std::string& path, const ClockRequest& request);

    // The line for a date-time and an offset in minutes east of UTC.
    static std::string FormatLine(const SystemTime& time, std::int32_t offsetMinutes);

    const std::string& LastError() const { return m_lastError; }

private:
    IFileAccess& m_files;
    IPcTimeZone& m_zone;
    std::string m_lastError;
};

} // namespace dashcam
