#pragma once

#include <string>

#include "platform/Volumes.h"

namespace dashcam {

// Volumes from the kernel's view: the mount table for the device behind a path and sysfs for
// what kind of device it is.
class LinuxVolumes : public IVolumes {
public:
    explicit LinuxVolumes(std::string sysfsRoot = "/sys") : m_sysfs(std::move(sysfsRoot)) {}

    std::string DriveRoot(const std::string& path) override;
    std::string BlockDevice(const std::string& path) override;
    bool IsRemovable(const std::string& path) override;
    std::uint64_t CapacityBytes(const std::string& path) override;

    // Whether the block device with this number (a disk or one of its partitions) is removable.
    bool IsRemovableDevice(unsigned major, unsigned minor) const;

private:
    std::string m_sysfs;
};

} // namespace dashcam
