#pragma once

#include "platform/Volumes.h"

namespace dashcam {

// Volumes from the kernel's view: the mount table for the device behind a path and sysfs for
// what kind of device it is.
class LinuxVolumes : public IVolumes {
public:
    std::string DriveRoot(const std::string& path) override;
    std::string BlockDevice(const std::string& path) override;
    bool IsRemovable(const std::string& path) override;
    std::uint64_t CapacityBytes(const std::string& path) override;
};

} // namespace dashcam
