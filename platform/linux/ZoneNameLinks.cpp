#include "platform/linux/ZoneNameLinks.h"

#include <QFile>
#include <QTimeZone>

namespace dashcam {

ZoneNameLinks::ZoneNameLinks(const QString& databaseFolder) {
    ReadCompiledSource(databaseFolder + QStringLiteral("/tzdata.zi"));
    ReadPlaces(databaseFolder + QStringLiteral("/zone.tab"));
    ReadPlaces(databaseFolder + QStringLiteral("/zone1970.tab"));
}

void ZoneNameLinks::ReadCompiledSource(const QString& path) {
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly)) {
        return;
    }
    // A link line reads "L <target> <old name>", a zone line "Z <name> <rules>...".
    for (const QByteArray& line : source.readAll().split('\n')) {
        if (line.startsWith("Z ")) {
            m_zones.append(line.simplified().split(' ').value(1));
            continue;
        }
        if (!line.startsWith("L ")) {
            continue;
        }
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 3) {
            m_targetOf.insert(parts[2], parts[1]);
            m_linksTo[parts[1]].append(parts[2]);
        }
    }
}

void ZoneNameLinks::ReadPlaces(const QString& path) {
    QFile table(path);
    if (!table.open(QIODevice::ReadOnly)) {
        return;
    }
    // "<countries> <coordinates> <zone> [comment]", tab-separated; '#' starts a comment line.
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> columns = line.split('\t');
        if (!line.startsWith('#') && columns.size() >= 3) {
            QByteArray& countries = m_countriesOf[columns[2].trimmed()];
            countries += (countries.isEmpty() ? "" : ",") + columns[0];
        }
    }
}

QString ZoneNameLinks::DefaultDatabaseFolder() {
    const QString folder = qEnvironmentVariable("TZDIR");
    return folder.isEmpty() ? QStringLiteral("/usr/share/zoneinfo") : folder;
}

QByteArray ZoneNameLinks::CurrentName(const QByteArray& name) const {
    return m_targetOf.value(name, name);
}

QByteArray ZoneNameLinks::MappedId(const QByteArray& name) {
    const auto found = m_mappedId.constFind(name);
    if (found != m_mappedId.constEnd()) {
        return *found;
    }
    return *m_mappedId.insert(name, QTimeZone::ianaIdToWindowsId(name));
}

QByteArray ZoneNameLinks::WindowsIdOf(const QByteArray& name) {
    const QByteArray current = CurrentName(name);
    QList<QByteArray> names{name, current};
    names.append(m_linksTo.value(current));
    for (const QByteArray& candidate : names) {
        const QByteArray windowsId = MappedId(candidate);
        if (!windowsId.isEmpty()) {
            return windowsId;
        }
    }
    return {};
}

QList<QByteArray> ZoneNameLinks::PlacesLinkedTo(const QByteArray& zone) const {
    QList<QByteArray> places;
    for (const QByteArray& link : m_linksTo.value(zone)) {
        if (IsPlace(link)) {
            places.append(link);
        }
    }
    return places;
}

} // namespace dashcam
