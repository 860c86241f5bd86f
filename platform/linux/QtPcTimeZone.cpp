#include "platform/linux/QtPcTimeZone.h"

#include <QString>

#include "platform/linux/WindowsZoneRules.h"

namespace dashcam {

TimeZoneInformation QtPcTimeZone::GetTimeZoneInformation() {
    if (!m_links) {
        m_links.emplace();
    }
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const WindowsZoneRules rules = WindowsZoneRules::Of(zone, m_links->WindowsIdOf(zone.id()),
                                                        QDateTime::currentDateTimeUtc());
    TimeZoneInformation info;
    info.Bias = -rules.standardOffsetMinutes;
    info.StandardBias = 0;
    info.DaylightBias = -rules.daylightMinutes;
    // A system zone without a Windows id is named as the catalogue names plain UTC.
    info.StandardName =
        QString::fromLatin1(rules.windowsId.isEmpty() ? QByteArray("UTC") : rules.windowsId)
            .toStdU16String();
    return info;
}

} // namespace dashcam
