#include "platform/linux/QtPcTimeZone.h"

#include <algorithm>

#include <QDateTime>
#include <QTimeZone>

namespace dashcam {

TimeZoneInformation QtPcTimeZone::GetTimeZoneInformation() {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    TimeZoneInformation info;
    info.Bias = -zone.standardTimeOffset(now) / 60;
    info.StandardBias = 0;
    // Only a zone that still changes its clocks has a daylight bias; one that kept daylight
    // saving decades ago has none now.
    const QTimeZone::OffsetData next = zone.nextTransition(now);
    if (next.atUtc.isValid()) {
        const int daylight = std::max(zone.daylightTimeOffset(now), next.daylightTimeOffset);
        info.DaylightBias = -(daylight != 0 ? daylight : 3600) / 60;
    }
    const QByteArray windowsId = QTimeZone::ianaIdToWindowsId(zone.id());
    info.StandardName =
        QString::fromLatin1(windowsId.isEmpty() ? QByteArray("UTC") : windowsId).toStdU16String();
    return info;
}

} // namespace dashcam
