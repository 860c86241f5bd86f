#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/Formatter.h"
#include "platform/linux/FatLayout.h"

namespace dashcam {

// Formats the card through the desktop's disk service (UDisks2 on the system bus), as a desktop
// user may without root: find the block device mounted at the drive root, unmount it, make the
// file system, check the boot sector that was written, and mount it again, possibly at a new
// place.
//
// How the file system is made depends on the service's version. From 2.10 on the service's own
// Format takes the cluster arguments. Older services (Debian 12 has 2.9.4) ignore them and would
// make FAT16 or small clusters, so for FAT32 the service only opens the device for the editor
// (the desktop asks for the administrator's password once) and the editor writes the file
// system through that descriptor.
class UDisks2Formatter : public IFormatter {
public:
    enum class Route { ServiceFormat, OpenDevice };

    explicit UDisks2Formatter(QDBusConnection bus = QDBusConnection::systemBus(),
                              QString service = QStringLiteral("org.freedesktop.UDisks2"))
        : m_bus(std::move(bus)), m_service(std::move(service)) {}

    bool Load(std::u16string& message) override;
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override;
    std::string MountPointAfterFormat() override { return m_mountPoint; }
    FormatFault LastFault() const override { return m_fault; }
    bool CardTouched() const override { return m_touched; }
    std::string LastLayout() const override { return m_layout; }

    // The route for a service version such as "2.9.4"; known after Load.
    static Route RouteFor(const QString& version);
    Route route() const { return m_route; }
    QString version() const { return m_version; }

private:
    struct Block {
        QString path;
        std::uint64_t size = 0;
        bool readOnly = false;
        std::uint64_t offset = 0; // of its partition on the disk
    };

    std::optional<Block> FindBlockMountedAt(const std::string& driveRoot);
    // Job progress (0 to 1) of the service's jobs on the block; -1 when there is none.
    double JobProgress(const QString& block);
    bool FormatThroughService(const Block& block, const FormatRequest& request,
                              const FormatCallback& callback);
    bool FormatThroughDescriptor(const Block& block, const FormatRequest& request,
                                 const FormatCallback& callback, std::optional<FatLayout>& layout);
    // The device opened by the service; when refused, `refusal` (if given) says why.
    std::optional<QDBusUnixFileDescriptor> OpenDevice(const QString& block, const QString& mode,
                                                      FormatFault* refusal);
    std::optional<FatLayout> ReadLayout(const QString& block);
    void MountAgain(const QString& block);

    QDBusConnection m_bus;
    QString m_service;
    QString m_version;
    Route m_route = Route::ServiceFormat;
    std::string m_mountPoint;
    FormatFault m_fault = FormatFault::None;
    bool m_touched = false;
    std::string m_layout;
};

} // namespace dashcam
