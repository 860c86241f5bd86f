#pragma once

#include <QDBusConnection>
#include <QString>

#include "platform/Formatter.h"

namespace dashcam {

// Formats the card through the desktop's disk service (UDisks2 on the system bus), as a desktop
// user may without root: find the block device mounted at the drive root, unmount it, format it
// with the file system asked for (reporting the service's job progress), and mount it again,
// possibly at a new place.
class UDisks2Formatter : public IFormatter {
public:
    explicit UDisks2Formatter(QDBusConnection bus = QDBusConnection::systemBus(),
                              QString service = QStringLiteral("org.freedesktop.UDisks2"))
        : m_bus(std::move(bus)), m_service(std::move(service)) {}

    bool Load(std::u16string& message) override;
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override;
    std::string MountPointAfterFormat() override { return m_mountPoint; }

private:
    QString FindBlockMountedAt(const std::string& driveRoot);
    // Job progress (0 to 1) of the service's jobs on the block; -1 when there is none.
    double JobProgress(const QString& block);

    QDBusConnection m_bus;
    QString m_service;
    std::string m_mountPoint;
};

} // namespace dashcam
