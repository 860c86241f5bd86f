#include "platform/linux/WindowsZoneRules.h"

#include <algorithm>

namespace dashcam {

WindowsZoneRules WindowsZoneRules::Of(const QTimeZone& zone, const QByteArray& windowsId,
                                      const QDateTime& atUtc) {
    WindowsZoneRules rules;
    rules.windowsId = windowsId;
    rules.known = zone.isValid();
    int lowest = zone.offsetFromUtc(atUtc);
    int highest = lowest;
    for (const QTimeZone::OffsetData& change : zone.transitions(atUtc, atUtc.addDays(366))) {
        lowest = std::min(lowest, change.offsetFromUtc);
        highest = std::max(highest, change.offsetFromUtc);
        rules.changes.append({change.atUtc.toMSecsSinceEpoch(), change.offsetFromUtc});
    }
    rules.standardOffsetMinutes = lowest / 60;
    rules.daylightMinutes = (highest - lowest) / 60;
    return rules;
}

} // namespace dashcam
