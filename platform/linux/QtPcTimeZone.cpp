#include "platform/linux/QtPcTimeZone.h"

#include <QString>

namespace dashcam {

WindowsZonePlacement& QtPcTimeZone::Placement() {
    if (m_catalogue != nullptr) {
        return m_catalogue->Placement();
    }
    if (!m_placement) {
        m_placement.emplace(QDateTime::currentDateTimeUtc());
    }
    return *m_placement;
}

TimeZoneInformation QtPcTimeZone::GetTimeZoneInformation() {
    WindowsZonePlacement& placement = Placement();
    // The zone's rules at the instant the entries' were taken, so that both see the same year.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const WindowsZoneRules rules = WindowsZoneRules::Of(zone, {}, placement.At());
    const QByteArray windowsId = placement.EntryOf(zone.id(), rules);
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
