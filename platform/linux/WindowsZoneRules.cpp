#include "platform/linux/WindowsZoneRules.h"

#include <algorithm>
#include <cstdlib>

namespace dashcam {

WindowsZoneRules WindowsZoneRules::Of(const QTimeZone& zone, const QByteArray& windowsId,
                                      const QDateTime& atUtc) {
    WindowsZoneRules rules;
    rules.windowsId = windowsId;
    rules.standardOffsetMinutes = zone.standardTimeOffset(atUtc) / 60;
    // A zone whose database marks winter as the daylight period has a negative amount; the
    // catalogue counts the size of the change either way.
    int daylightSeconds = std::abs(zone.daylightTimeOffset(atUtc));
    for (const QTimeZone::OffsetData& change : zone.transitions(atUtc, atUtc.addDays(366))) {
        daylightSeconds = std::max(daylightSeconds, std::abs(change.daylightTimeOffset));
    }
    rules.daylightMinutes = daylightSeconds / 60;
    return rules;
}

} // namespace dashcam
