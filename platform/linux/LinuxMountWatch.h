#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/MountTable.h"

class QSocketNotifier;

namespace dashcam {

// Tells when file systems are mounted or unmounted. The desktop's disk service (UDisks2) says
// so in its signals when it answers; without it (no system bus, no service, a plain console
// session) the kernel's mount table is watched: /proc/self/mountinfo reports a change as an
// exceptional condition (POLLPRI) to whoever polls it.
class LinuxMountWatch : public QObject, public IMountWatch {
    Q_OBJECT
public:
    enum class Source { None, DiskService, MountTable };

    explicit LinuxMountWatch(QDBusConnection bus = QDBusConnection::systemBus(),
                             QString service = QStringLiteral("org.freedesktop.UDisks2"),
                             std::string procRoot = "/proc");
    ~LinuxMountWatch() override;

    void Start(std::function<void()> changed) override;
    void Stop() override;

    // What tells of changes while started.
    Source Watching() const { return m_source; }

private slots:
    void OnPropertiesChanged(const QString& interface);
    void OnInterfacesChanged();

private:
    bool DiskServiceAnswers();
    bool WatchDiskService();
    bool WatchMountTable();
    void Changed();

    QDBusConnection m_bus;
    QString m_service;
    std::string m_proc;
    std::function<void()> m_changed;
    Source m_source = Source::None;
    bool m_pending = false;
    int m_mountTable = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace dashcam
