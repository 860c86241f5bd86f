#pragma once

#include <string>

namespace dashcam {

// Takes a volume off its mount point for a format and puts it back afterwards.
class IVolumeMounter {
public:
    virtual ~IVolumeMounter() = default;
    virtual bool Unmount(const std::string& mountPoint, std::string& error) = 0;
    // Mounts the device (or image) and returns the mount point, empty on failure.
    virtual std::string Mount(const std::string& device, const std::string& mountPoint,
                              std::string& error) = 0;
};

} // namespace dashcam
