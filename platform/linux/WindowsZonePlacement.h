#pragma once

#include <map>

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>

#include "platform/linux/WindowsZoneRules.h"
#include "platform/linux/ZoneNameLinks.h"

namespace dashcam {

// Which entry of the zone catalogue lists each zone of the system's time-zone database. An
// entry is a Windows zone id with the rules its main zone has today. The id mapping is dated:
// it keeps zones under ids whose offset they no longer have, and lacks newer zones. So a zone
// goes under its own id only while it has that entry's standard offset and daylight-saving
// presence; otherwise it goes under another offered entry that has them, preferring one with the
// same clock changes, then one of the same country, then one in the same part of the world. A zone
// whose own id is not offered stays under that id, out of the catalogue with it.
class WindowsZonePlacement {
public:
    explicit WindowsZonePlacement(const QDateTime& atUtc);

    // Whether the catalogue leaves out the entry of this id.
    static bool IsExcluded(const QByteArray& windowsId);

    // The instant whose rules count as today's.
    const QDateTime& At() const { return m_atUtc; }
    const ZoneNameLinks& Links() const { return m_links; }
    // Every Windows id of the database's zones whose main zone the database has, sorted.
    const QList<QByteArray>& WindowsIds();
    // The rules of the entry of this id (its main zone's), read once.
    const WindowsZoneRules& EntryRules(const QByteArray& windowsId);
    // The rules of a database zone today, read once; standard offset 0 for an unknown name.
    const WindowsZoneRules& ZoneRules(const QByteArray& zoneName);
    // The id of the entry that lists the zone (or place) of this name whose rules are given;
    // empty when no offered entry has them.
    QByteArray EntryOf(const QByteArray& name, const WindowsZoneRules& rules);

private:
    static bool Fits(const WindowsZoneRules& entry, const WindowsZoneRules& zone);
    bool ShareACountry(const QByteArray& a, const QByteArray& b) const;
    int Closeness(const QByteArray& windowsId, const QByteArray& name,
                  const WindowsZoneRules& rules);
    QByteArray MainZone(const QByteArray& windowsId);

    QDateTime m_atUtc;
    ZoneNameLinks m_links;
    QList<QByteArray> m_windowsIds; // empty until first asked
    // By zone name; a map, so that the references handed out stay valid as it grows.
    std::map<QByteArray, WindowsZoneRules> m_rules;
    QHash<QByteArray, QByteArray> m_mainZones; // by id, as asked; the mapping scans its table
};

} // namespace dashcam
