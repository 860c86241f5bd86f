#pragma once

#include <cstdint>
#include <string>

namespace dashcam {

// What identifies a mounted volume: the device behind it and the file system on it.
struct VolumeIdentity {
    std::string device;             // the block device (or image file) behind it; empty if none
    std::uint64_t deviceNumber = 0; // that device's number (an image file's inode)
    std::uint64_t sizeBytes = 0;    // that device's size
    std::uint64_t filesOn = 0;      // the device number its files carry (st_dev) while mounted
    std::string label;              // the file system's label; may be empty
    std::string serial;             // the file system's serial number; empty when unreadable

    // The same medium in the same place, whatever file system it holds now.
    bool SameDevice(const VolumeIdentity& other) const {
        return !device.empty() && device == other.device && deviceNumber == other.deviceNumber &&
               sizeBytes == other.sizeBytes;
    }
};

// Facts about the volume (mounted file system) that holds a path.
class IVolumes {
public:
    virtual ~IVolumes() = default;
    // The root folder of the volume holding the path, ending with a path separator; empty when
    // it cannot be found.
    virtual std::string DriveRoot(const std::string& path) = 0;
    // The block device that holds the volume (e.g. /dev/sdb1); empty when there is none.
    virtual std::string BlockDevice(const std::string& path) = 0;
    // The volume is a memory card as the camera's card is: a removable medium (card readers, USB
    // flash drives) or an SD card, never a disk with a fixed medium, whatever its bus, and never
    // a disk that holds the running system's own file systems or swap.
    virtual bool IsRemovable(const std::string& path) = 0;
    // The volume's total size in bytes; 0 when it cannot be read.
    virtual std::uint64_t CapacityBytes(const std::string& path) = 0;
    // The device and file system behind the path as they are now.
    virtual VolumeIdentity Identify(const std::string& path) = 0;
};

} // namespace dashcam
