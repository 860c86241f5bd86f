#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace dashcam {

// The old names the system's time-zone database keeps as links to renamed zones (Asia/Calcutta
// for Asia/Kolkata). The Windows-zone-id mapping knows some zones only by such an old name, so
// a zone's id is looked up under all of its names. The zone lines of the same file name the
// database's zones, and the countries' tables name the zones and links that are places of their
// own (Europe/Bratislava, a link to Europe/Prague), as against old names and fixed offsets.
class ZoneNameLinks {
public:
    // Reads the link and zone lines of the database's compiled source, tzdata.zi, and the
    // countries' tables zone.tab and zone1970.tab in the given folder; without tzdata.zi no zone
    // has other names.
    explicit ZoneNameLinks(const QString& databaseFolder = DefaultDatabaseFolder());
    // $TZDIR, or /usr/share/zoneinfo when it is unset.
    static QString DefaultDatabaseFolder();

    // The zone's current name: the link's target for an old name, else the name itself.
    QByteArray CurrentName(const QByteArray& name) const;
    // The Windows zone id of the zone under any of its names; empty when it has none. Each
    // name is looked up in the mapping once: the mapping scans its whole table on every call.
    QByteArray WindowsIdOf(const QByteArray& name);
    // Every zone the database defines, the fixed-offset ones Qt does not list included
    // (Etc/GMT+12, the only zone of the Windows zone at UTC-12:00).
    const QList<QByteArray>& DatabaseZones() const { return m_zones; }
    // The links to this zone that name places of their own.
    QList<QByteArray> PlacesLinkedTo(const QByteArray& zone) const;
    // Whether a countries' table lists the name as one of a country's zones.
    bool IsPlace(const QByteArray& name) const { return m_countriesOf.contains(name); }
    // The codes of the countries a place serves, as the countries' tables give them ("CH,DE,LI").
    QByteArray CountriesOf(const QByteArray& place) const { return m_countriesOf.value(place); }

private:
    void ReadCompiledSource(const QString& path);
    void ReadPlaces(const QString& path);
    QByteArray MappedId(const QByteArray& name);

    QHash<QByteArray, QByteArray> m_targetOf;       // old name -> current name
    QHash<QByteArray, QList<QByteArray>> m_linksTo; // current name -> old names
    QList<QByteArray> m_zones;
    QHash<QByteArray, QByteArray> m_countriesOf; // place -> its countries' codes
    QHash<QByteArray, QByteArray> m_mappedId;    // name -> its id in the mapping, when asked
};

} // namespace dashcam
