#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

namespace dashcam {

// A zone of the system's time-zone database described the way the Windows zone catalogue
// describes it: its Windows zone id, its standard offset and its daylight-saving amount.
struct WindowsZoneRules {
    QByteArray windowsId;          // empty when the database zone has no Windows id
    int standardOffsetMinutes = 0; // east of UTC
    int daylightMinutes = 0;       // 0 for a zone that does not change its clocks

    // The rules of the zone known by this Windows id, in force at the given instant; a zone
    // changes its clocks when it has daylight time now or within the following year.
    static WindowsZoneRules Of(const QTimeZone& zone, const QByteArray& windowsId,
                               const QDateTime& atUtc);
};

} // namespace dashcam
