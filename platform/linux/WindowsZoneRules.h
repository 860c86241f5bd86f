#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QTimeZone>

namespace dashcam {

// A zone of the system's time-zone database described the way the Windows zone catalogue
// describes it: its Windows zone id, its standard offset and its daylight-saving amount.
struct WindowsZoneRules {
    QByteArray windowsId;          // empty when the database zone has no Windows id
    bool known = false;            // false for a zone the database does not have
    int standardOffsetMinutes = 0; // east of UTC
    int daylightMinutes = 0;       // 0 for a zone that does not change its clocks
    // The clock changes of the following year: instant (ms since the epoch) and new offset.
    QList<std::pair<qint64, int>> changes;

    // The rules of the zone known by this Windows id, in force at the given instant. Standard
    // time is the zone's lower offset of the following year and daylight saving the step up from
    // it, as Windows counts them: a zone whose database keeps summer time as standard and winter
    // as negative daylight saving (Europe/Dublin) has its winter offset as standard offset.
    static WindowsZoneRules Of(const QTimeZone& zone, const QByteArray& windowsId,
                               const QDateTime& atUtc);
};

} // namespace dashcam
