#include "platform/linux/QtPcTimeZone.h"

#include <QString>

namespace dashcam {

TimeZoneInformation QtPcTimeZone::GetTimeZoneInformation() {
    if (!m_placement) {
        m_placement.emplace(QDateTime::currentDateTimeUtc());
    }
    // The zone's rules at the instant the entries' were taken, so that both see the same year.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const WindowsZoneRules rules = WindowsZoneRules::Of(zone, {}, m_placement->At());
    const QByteArray windowsId = m_placement->EntryOf(zone.id(), rules);
    TimeZoneInformation info;
    info.Bias = -rules.standardOffsetMinutes;
    info.StandardBias = 0;
    info.DaylightBias = -rules.daylightMinutes;
    // A system zone that no offered entry lists is named as the catalogue names plain UTC.
    info.StandardName =
        QString::fromLatin1(windowsId.isEmpty() ? QByteArray("UTC") : windowsId).toStdU16String();
    return info;
}

} // namespace dashcam
