#pragma once

#include <QDBusConnection>
#include <functional>
#include <optional>

#include "platform/Formatter.h"
#include "platform/linux/MkfsFormatter.h"
#include "platform/linux/UDisks2Formatter.h"

namespace dashcam {

// The card formatter of a Linux machine: the desktop's disk service when it answers (a desktop
// user is not root), otherwise mkfs directly (root, or a card image the user owns).
class LinuxFormatter : public IFormatter {
public:
    using BusFactory = std::function<QDBusConnection()>;

    // The bus is opened at the first Load, so a run that never formats never connects to it.
    LinuxFormatter(
        IVolumes& volumes, IVolumeMounter& mounter,
        BusFactory bus = [] { return QDBusConnection::systemBus(); })
        : m_direct(volumes, mounter), m_bus(std::move(bus)) {}

    bool Load(std::u16string& message) override;
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override;
    std::string MountPointAfterFormat() override;
    FormatFault LastFault() const override;
    bool CardTouched() const override;
    std::string LastLayout() const override;

    // Whether the last successful Load chose the desktop's disk service.
    bool UsesDiskService() const { return m_desktop && m_chosen == &*m_desktop; }
    // The disk service's route, when the last Load chose the service.
    std::optional<UDisks2Formatter::Route> DiskServiceRoute() const {
        return UsesDiskService() ? std::optional(m_desktop->route()) : std::nullopt;
    }

private:
    MkfsFormatter m_direct;
    BusFactory m_bus;
    std::optional<UDisks2Formatter> m_desktop;
    IFormatter* m_chosen = nullptr;
};

} // namespace dashcam
