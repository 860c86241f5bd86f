#pragma once

#include <cstdint>
#include <string>

namespace dashcam {

// Facts about the volume (mounted file system) that holds a path.
class IVolumes {
public:
    virtual ~IVolumes() = default;
    // The root folder of the volume holding the path, ending with a path separator; empty when
    // it cannot be found.
    virtual std::string DriveRoot(const std::string& path) = 0;
    // The block device that holds the volume (e.g. /dev/sdb1); empty when there is none.
    virtual std::string BlockDevice(const std::string& path) = 0;
    // The volume sits on a removable or hot-plugged device: a memory card or a USB drive.
    virtual bool IsRemovable(const std::string& path) = 0;
    // The volume's total size in bytes; 0 when it cannot be read.
    virtual std::uint64_t CapacityBytes(const std::string& path) = 0;
};

} // namespace dashcam
