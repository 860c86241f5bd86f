#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <string>
#include <vector>

namespace dashcam::test {

// A private bus with the fake disk service (fake_udisks2.py) on it, ended with the object. The
// service knows one block device mounted at `mountPoint`, logs every call it gets into `log`,
// and behaves as the model says.
class PrivateDiskService {
public:
    struct Model {
        QString version = QStringLiteral("2.9.4"); // the service version it behaves as
        std::string image;                         // the card image its Format writes
        bool readOnly = false;                     // the card's lock switch is set
        // "fail-unmount", "fail-format", "fail-mount", "deny-open", "ignore-args" or
        // "read-only-open"
        QString failure;
    };

    PrivateDiskService(const std::string& log, const std::string& mountPoint, const Model& model);
    ~PrivateDiskService();
    PrivateDiskService(const PrivateDiskService&) = delete;
    PrivateDiskService& operator=(const PrivateDiskService&) = delete;

    // The calls the service got, one line each, in order.
    std::vector<std::string> Calls() const;

    // Whether dbus-daemon and python3 with its D-Bus and GLib modules are here.
    static bool ToolsPresent();

    QString address;
    QDBusConnection connection{QStringLiteral("none")};
    bool ready = false;

private:
    bool WaitForService();

    std::string m_log;
    static inline int s_count = 0;
    QProcess m_bus, m_service;
};

} // namespace dashcam::test
