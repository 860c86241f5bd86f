#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

#include "tests/support/TempFolder.h"

namespace dashcam::test {

// Debian's real disk service daemon (udisksd) on a private bus of the system type, ended with
// the object. Without udev it lists no block devices, but it answers its version and the file
// systems it supports.
class SystemBusDiskService {
public:
    SystemBusDiskService();
    ~SystemBusDiskService();
    SystemBusDiskService(const SystemBusDiskService&) = delete;
    SystemBusDiskService& operator=(const SystemBusDiskService&) = delete;

    static QString Daemon() { return QStringLiteral("/usr/libexec/udisks2/udisksd"); }
    // Whether dbus-daemon and udisksd are installed (package udisks2).
    static bool Present();

    QDBusConnection connection{QStringLiteral("none")};
    bool ready = false;

private:
    TempFolder m_folder;
    QProcess m_bus, m_daemon;
};

} // namespace dashcam::test
