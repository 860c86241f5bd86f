#include "cli/ClockCommand.h"

#include <QDateTime>
#include <ostream>

#include "card/CardFolder.h"
#include "card/TouchCalibration.h"
#include "cli/CardAccess.h"
#include "platform/Volumes.h"
#include "settings/ClockFile.h"

namespace dashcam {

std::optional<SystemTime> ClockCommand::ParseTime(const std::string& text) {
    QDateTime local;
    if (text == "now") {
        local = QDateTime::currentDateTime();
    } else {
        // The camera's clock takes wall time: the date and time are not placed in any zone, so a
        // time that a change to summer time skips is still written as given.
        const QStringList parts = QString::fromStdString(text).split('T');
        const QDate date = parts.size() == 2 ? QDate::fromString(parts[0], "yyyy-MM-dd") : QDate();
        const QTime time = parts.size() == 2 ? QTime::fromString(parts[1], "HH:mm:ss") : QTime();
        if (!date.isValid() || !time.isValid()) {
            return std::nullopt;
        }
        local = QDateTime(date, time, Qt::UTC);
    }
    SystemTime t;
    t.wYear = static_cast<std::uint16_t>(local.date().year());
    t.wMonth = static_cast<std::uint16_t>(local.date().month());
    t.wDay = static_cast<std::uint16_t>(local.date().day());
    t.wDayOfWeek = static_cast<std::uint16_t>(local.date().dayOfWeek() % 7);
    t.wHour = static_cast<std::uint16_t>(local.time().hour());
    t.wMinute = static_cast<std::uint16_t>(local.time().minute());
    t.wSecond = static_cast<std::uint16_t>(local.time().second());
    return t;
}

int ClockCommand::Clock(const std::vector<std::string>& operands) {
    const bool clear = m_context.line.clear;
    if (operands.size() != (clear ? 1u : 2u)) {
        m_context.err << "dashcam-cfg: clock needs a card folder and now, "
                         "YYYY-MM-DDTHH:MM:SS or --clear (see --help)\n";
        return kUsage;
    }
    ClockRequest request;
    if (!clear) {
        const std::optional<SystemTime> time = ParseTime(operands[1]);
        if (!time || time->wYear < 1 || time->wYear > 9999) {
            m_context.err << "dashcam-cfg: '" << operands[1]
                          << "' is neither now nor a date and time as YYYY-MM-DDTHH:MM:SS\n";
            return kUsage;
        }
        request.flag = 1;
        request.time = *time;
    }
    CardAccess access(m_context.platform, m_context.err);
    if (!access.OpenFolder(operands[0]) || !access.WriteClock(request)) {
        return kFailed;
    }
    if (!clear) {
        const std::int32_t offset = -m_context.platform.pcTimeZone.GetTimeZoneInformation().Bias;
        m_context.out << access.Folder()
                      << "time.dat: " << ClockFile::FormatLine(request.time, offset) << '\n';
    }
    return kOk;
}

int ClockCommand::TouchCalibration(const std::vector<std::string>& operands) {
    if (operands.size() != 1) {
        m_context.err << "dashcam-cfg: touch-calibration needs one card folder (see --help)\n";
        return kUsage;
    }
    CardAccess access(m_context.platform, m_context.err);
    if (!access.OpenFolder(operands[0])) {
        return kFailed;
    }
    // The file goes to the root of the volume: on a PC's own disk that is no card's root.
    if (!m_context.line.force && !m_context.platform.volumes.IsRemovable(access.Folder())) {
        m_context.err << "dashcam-cfg: " << access.Folder()
                      << " is not on a memory card; --force makes " << kTouchCalibrationFileName
                      << " at the root of its volume anyway\n";
        return kFailed;
    }
    if (!access.RequestTouchCalibration()) {
        return kFailed;
    }
    m_context.out << TouchCalibrationFile(m_context.platform.volumes, access.Folder()) << '\n';
    return kOk;
}

} // namespace dashcam
