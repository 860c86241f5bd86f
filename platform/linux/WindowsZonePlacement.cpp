#include "platform/linux/WindowsZonePlacement.h"

#include <algorithm>

#include <QSet>
#include <QString>
#include <QTimeZone>

#include "timezones/ExcludedZoneNames.h"

namespace dashcam {
namespace {

QByteArray AreaOf(const QByteArray& zoneName) {
    return zoneName.left(zoneName.indexOf('/'));
}

} // namespace

WindowsZonePlacement::WindowsZonePlacement(const QDateTime& atUtc) : m_atUtc(atUtc) {}

bool WindowsZonePlacement::IsExcluded(const QByteArray& windowsId) {
    return IsExcludedZoneName(QString::fromLatin1(windowsId).toStdU16String());
}

QByteArray WindowsZonePlacement::MainZone(const QByteArray& windowsId) {
    const auto found = m_mainZones.constFind(windowsId);
    if (found != m_mainZones.constEnd()) {
        return *found;
    }
    return *m_mainZones.insert(windowsId,
                               m_links.CurrentName(QTimeZone::windowsIdToDefaultIanaId(windowsId)));
}

const QList<QByteArray>& WindowsZonePlacement::WindowsIds() {
    if (!m_windowsIds.isEmpty()) {
        return m_windowsIds;
    }
    QSet<QByteArray> ids;
    for (const QByteArray& zone : m_links.DatabaseZones()) {
        const QList<QByteArray> names = m_links.PlacesLinkedTo(zone) << zone;
        for (const QByteArray& name : names) {
            const QByteArray windowsId = m_links.WindowsIdOf(name);
            if (!windowsId.isEmpty() && EntryRules(windowsId).known) {
                ids.insert(windowsId);
            }
        }
    }
    m_windowsIds = ids.values();
    std::sort(m_windowsIds.begin(), m_windowsIds.end());
    return m_windowsIds;
}

const WindowsZoneRules& WindowsZonePlacement::ZoneRules(const QByteArray& zoneName) {
    const auto found = m_rules.find(zoneName);
    if (found != m_rules.end()) {
        return found->second;
    }
    return m_rules.emplace(zoneName, WindowsZoneRules::Of(QTimeZone(zoneName), {}, m_atUtc))
        .first->second;
}

const WindowsZoneRules& WindowsZonePlacement::EntryRules(const QByteArray& windowsId) {
    return ZoneRules(MainZone(windowsId));
}

bool WindowsZonePlacement::Fits(const WindowsZoneRules& entry, const WindowsZoneRules& zone) {
    return entry.known && entry.standardOffsetMinutes == zone.standardOffsetMinutes &&
           (entry.daylightMinutes != 0) == (zone.daylightMinutes != 0);
}

bool WindowsZonePlacement::ShareACountry(const QByteArray& a, const QByteArray& b) const {
    const QList<QByteArray> countries = m_links.CountriesOf(b).split(',');
    return std::any_of(countries.begin(), countries.end(), [&](const QByteArray& country) {
        return !country.isEmpty() && m_links.CountriesOf(a).split(',').contains(country);
    });
}

// Higher for a closer entry: the same clock changes count most, then the same country, then the
// same part of the world.
int WindowsZonePlacement::Closeness(const QByteArray& windowsId, const QByteArray& name,
                                    const WindowsZoneRules& rules) {
    const WindowsZoneRules& entry = EntryRules(windowsId);
    const QByteArray mainZone = MainZone(windowsId);
    const QByteArray zone = m_links.CurrentName(name);
    return (entry.changes == rules.changes ? 4 : 0) + (ShareACountry(mainZone, name) ? 2 : 0) +
           (AreaOf(mainZone) == AreaOf(zone) ? 1 : 0);
}

QByteArray WindowsZonePlacement::EntryOf(const QByteArray& name, const WindowsZoneRules& rules) {
    const QByteArray ownId = m_links.WindowsIdOf(name);
    if (!ownId.isEmpty() && (IsExcluded(ownId) || Fits(EntryRules(ownId), rules))) {
        return ownId;
    }
    QByteArray best;
    int bestCloseness = -1;
    for (const QByteArray& windowsId : WindowsIds()) {
        if (IsExcluded(windowsId) || !Fits(EntryRules(windowsId), rules)) {
            continue;
        }
        const int closeness = Closeness(windowsId, name, rules);
        if (closeness > bestCloseness) {
            best = windowsId;
            bestCloseness = closeness;
        }
    }
    return best;
}

} // namespace dashcam
