#include "platform/linux/ZoneNameLinks.h"

#include <QFile>
#include <QTimeZone>

namespace dashcam {

ZoneNameLinks::ZoneNameLinks(const QString& databaseFolder) {
    QFile source(databaseFolder + QStringLiteral("/tzdata.zi"));
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

QString ZoneNameLinks::DefaultDatabaseFolder() {
    const QString folder = qEnvironmentVariable("TZDIR");
    return folder.isEmpty() ? QStringLiteral("/usr/share/zoneinfo") : folder;
}

QByteArray ZoneNameLinks::CurrentName(const QByteArray& name) const {
    return m_targetOf.value(name, name);
}

QByteArray ZoneNameLinks::WindowsIdOf(const QByteArray& name) const {
    const QByteArray current = CurrentName(name);
    QList<QByteArray> names{name, current};
    names.append(m_linksTo.value(current));
    for (const QByteArray& candidate : names) {
        const QByteArray windowsId = QTimeZone::ianaIdToWindowsId(candidate);
        if (!windowsId.isEmpty()) {
            return windowsId;
        }
    }
    return {};
}

} // namespace dashcam
