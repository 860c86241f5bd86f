#pragma once

#include "platform/Formatter.h"
#include "platform/VolumeMounter.h"
#include "platform/Volumes.h"

namespace dashcam {

// Formats the device (or image file) behind the card's mount point directly with mkfs.fat or
// mkfs.exfat: unmount, make the file system, check the boot sector it wrote, mount again. Needs
// the rights to do all of it.
class MkfsFormatter : public IFormatter {
public:
    MkfsFormatter(IVolumes& volumes, IVolumeMounter& mounter)
        : m_volumes(volumes), m_mounter(mounter) {}

    bool Load(std::u16string& message) override;
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override;
    std::string MountPointAfterFormat() override { return m_mountPoint; }
    FormatFault LastFault() const override { return m_fault; }
    bool CardTouched() const override { return m_touched; }
    std::string LastLayout() const override { return m_layout; }

    // The mkfs command line for a request (program first).
    static std::vector<std::string> CommandFor(const FormatRequest& request,
                                               const std::string& device);
    // Runs an mkfs command line; false with the tool's own words when it fails.
    static bool RunCommand(const std::vector<std::string>& command, std::string& error);

private:
    // Whether the card can be formatted as asked; sets the fault and the cluster size.
    bool CheckCard(const FormatRequest& request, const std::string& device, FormatRequest& chosen);

    IVolumes& m_volumes;
    IVolumeMounter& m_mounter;
    std::string m_mountPoint;
    FormatFault m_fault = FormatFault::None;
    bool m_touched = false;
    std::string m_layout;
};

} // namespace dashcam
