#include "platform/linux/LinuxMountWatch.h"

#include <QDBusMessage>
#include <QSocketNotifier>
#include <QTimer>
#include <fcntl.h>
#include <unistd.h>

namespace dashcam {
namespace {

const QString kRoot = QStringLiteral("/org/freedesktop/UDisks2");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kFilesystem = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
// Long enough for the bus to start the service on first use.
constexpr int kAnswerMilliseconds = 5000;

} // namespace

LinuxMountWatch::LinuxMountWatch(QDBusConnection bus, QString service, std::string procRoot)
    : m_bus(std::move(bus)), m_service(std::move(service)), m_proc(std::move(procRoot)) {}

LinuxMountWatch::~LinuxMountWatch() {
    Stop();
}

void LinuxMountWatch::Start(std::function<void()> changed) {
    Stop();
    m_changed = std::move(changed);
    if (WatchDiskService()) {
        m_source = Source::DiskService;
    } else if (WatchMountTable()) {
        m_source = Source::MountTable;
    }
}

void LinuxMountWatch::Stop() {
    if (m_source == Source::DiskService) {
        m_bus.disconnect(m_service, QString(), kProperties, QStringLiteral("PropertiesChanged"),
                         this, SLOT(OnPropertiesChanged(QString)));
        for (const char* name : {"InterfacesAdded", "InterfacesRemoved"}) {
            m_bus.disconnect(m_service, kRoot, kObjectManager, QString::fromLatin1(name), this,
                             SLOT(OnInterfacesChanged()));
        }
    }
    m_notifier.reset();
    if (m_mountTable >= 0) {
        ::close(m_mountTable);
        m_mountTable = -1;
    }
    m_source = Source::None;
    m_changed = nullptr;
}

// Pinging the service starts it when the bus knows how to, and tells whether it runs at all.
bool LinuxMountWatch::DiskServiceAnswers() {
    if (!m_bus.isConnected()) {
        return false;
    }
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        m_service, kRoot, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    return m_bus.call(ping, QDBus::Block, kAnswerMilliseconds).type() == QDBusMessage::ReplyMessage;
}

// A mount or unmount changes a file system's MountPoints; a card put in or pulled out adds or
// removes its objects.
bool LinuxMountWatch::WatchDiskService() {
    if (!DiskServiceAnswers()) {
        return false;
    }
    bool connected =
        m_bus.connect(m_service, QString(), kProperties, QStringLiteral("PropertiesChanged"), this,
                      SLOT(OnPropertiesChanged(QString)));
    for (const char* name : {"InterfacesAdded", "InterfacesRemoved"}) {
        connected = m_bus.connect(m_service, kRoot, kObjectManager, QString::fromLatin1(name), this,
                                  SLOT(OnInterfacesChanged())) &&
                    connected;
    }
    return connected;
}

bool LinuxMountWatch::WatchMountTable() {
    m_mountTable = ::open((m_proc + "/self/mountinfo").c_str(), O_RDONLY | O_CLOEXEC);
    if (m_mountTable < 0) {
        return false;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_mountTable, QSocketNotifier::Exception);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { Changed(); });
    return true;
}

void LinuxMountWatch::OnPropertiesChanged(const QString& interface) {
    if (interface == kFilesystem) {
        Changed();
    }
}

void LinuxMountWatch::OnInterfacesChanged() {
    Changed();
}

// Told from the event loop, once for a burst of changes, so that the caller may stop the watch
// (and destroy the notifier) in its answer.
void LinuxMountWatch::Changed() {
    if (m_pending) {
        return;
    }
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        m_pending = false;
        if (const std::function<void()> changed = m_changed) {
            changed();
        }
    });
}

} // namespace dashcam
