#include "tests/support/SystemBusDiskService.h"

#include <QDBusConnectionInterface>
#include <QFileInfo>
#include <QThread>

namespace dashcam::test {
namespace {

// A bus of the system type that lets everyone own and call everything: the daemon refuses to
// run on a session bus, and the test is its only client.
std::string BusConfig(const std::string& socket) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig><type>system</type><listen>unix:path=" +
           socket +
           "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow user=\"*\"/>"
           "<allow own=\"*\"/><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
           "</policy></busconfig>\n";
}

} // namespace

SystemBusDiskService::SystemBusDiskService() {
    m_folder.WriteText("bus.conf", BusConfig(m_folder.File("bus")));
    m_bus.start(
        QStringLiteral("dbus-daemon"),
        {QStringLiteral("--config-file=") + QString::fromStdString(m_folder.File("bus.conf")),
         QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    if (!m_bus.waitForReadyRead(5000)) {
        return;
    }
    const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
    m_daemon.setProcessEnvironment(env);
    m_daemon.setStandardOutputFile(QProcess::nullDevice());
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
    m_daemon.start(Daemon(), {});
    connection = QDBusConnection::connectToBus(address, QStringLiteral("system-disk-service"));
    for (int i = 0; i < 100 && connection.isConnected() && !ready; ++i) {
        ready =
            connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.UDisks2"));
        if (!ready) {
            QThread::msleep(50);
        }
    }
}

SystemBusDiskService::~SystemBusDiskService() {
    QDBusConnection::disconnectFromBus(QStringLiteral("system-disk-service"));
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(3000)) {
        m_daemon.kill();
        m_daemon.waitForFinished();
    }
    m_bus.kill();
    m_bus.waitForFinished();
}

bool SystemBusDiskService::Present() {
    return QFileInfo(Daemon()).isExecutable() &&
           QProcess::execute(QStringLiteral("sh"), {"-c", "command -v dbus-daemon"}) == 0;
}

} // namespace dashcam::test
