#pragma once

#include "platform/Formatter.h"
#include "platform/VolumeMounter.h"
#include "platform/Volumes.h"

namespace dashcam {

// Formats the device (or image file) behind the card's mount point directly with mkfs.fat or
// mkfs.exfat: unmount, make the file system, mount again. Needs the rights to do all three.
class MkfsFormatter : public IFormatter {
public:
    MkfsFormatter(IVolumes& volumes, IVolumeMounter& mounter)
        : m_volumes(volumes), m_mounter(mounter) {}

    bool Load(std::u16string& message) override;
    void FormatEx(const FormatRequest& request, const FormatCallback& callback) override;
    std::string MountPointAfterFormat() override { return m_mountPoint; }

    // The mkfs command line for a request (program first).
    static std::vector<std::string> CommandFor(const FormatRequest& request,
                                               const std::string& device);

private:
    IVolumes& m_volumes;
    IVolumeMounter& m_mounter;
    std::string m_mountPoint;
};

} // namespace dashcam
