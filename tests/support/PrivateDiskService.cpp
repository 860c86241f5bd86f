#include "tests/support/PrivateDiskService.h"

#include <QDBusConnectionInterface>
#include <QThread>
#include <fstream>

namespace dashcam::test {

PrivateDiskService::PrivateDiskService(const std::string& log, const std::string& mountPoint,
                                       const Model& model)
    : m_log(log) {
    m_bus.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address=1"});
    if (!m_bus.waitForReadyRead(5000)) {
        return;
    }
    address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    m_service.setProcessEnvironment(env);
    QStringList arguments{QStringLiteral(DASHCAM_FAKE_UDISKS2), QString::fromStdString(log),
                          QString::fromStdString(mountPoint),
                          QStringLiteral("--version=") + model.version,
                          QStringLiteral("--image=") + QString::fromStdString(model.image)};
    if (model.readOnly) {
        arguments << QStringLiteral("--read-only");
    }
    if (!model.failure.isEmpty()) {
        arguments << model.failure;
    }
    m_service.start(QStringLiteral("/usr/bin/python3"), arguments);
    connection = QDBusConnection::connectToBus(address, QStringLiteral("test-%1").arg(++s_count));
    ready = WaitForService();
}

PrivateDiskService::~PrivateDiskService() {
    m_service.kill();
    m_service.waitForFinished();
    m_bus.kill();
    m_bus.waitForFinished();
}

std::vector<std::string> PrivateDiskService::Calls() const {
    std::ifstream in(m_log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

bool PrivateDiskService::ToolsPresent() {
    return QProcess::execute(
               QStringLiteral("sh"),
               {"-c", "command -v dbus-daemon && /usr/bin/python3 -c 'import dbus, gi'"}) == 0;
}

bool PrivateDiskService::WaitForService() {
    for (int i = 0; i < 100 && connection.isConnected(); ++i) {
        if (connection.interface()->isServiceRegistered(
                QStringLiteral("org.freedesktop.UDisks2"))) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

} // namespace dashcam::test
