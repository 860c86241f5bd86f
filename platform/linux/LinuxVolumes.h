#pragma once

#include <filesystem>
#include <string>

#include "platform/Volumes.h"

namespace dashcam {

// Volumes from the kernel's view: the mount table for the device behind a path, sysfs for what
// kind of device it is, and the device's boot sector (or the system's links named after file
// systems) for the file system on it.
class LinuxVolumes : public IVolumes {
public:
    explicit LinuxVolumes(std::string sysfsRoot = "/sys", std::string procRoot = "/proc")
        : m_sysfs(std::move(sysfsRoot)), m_proc(std::move(procRoot)) {}

    std::string DriveRoot(const std::string& path) override;
    std::string BlockDevice(const std::string& path) override;
    bool IsRemovable(const std::string& path) override;
    std::uint64_t CapacityBytes(const std::string& path) override;
    VolumeIdentity Identify(const std::string& path) override;

    // Whether the block device with this number (a disk or one of its partitions) is a memory
    // card.
    bool IsRemovableDevice(unsigned major, unsigned minor) const;
    // The label and serial number of the FAT or exFAT file system on a device or image.
    static void ReadFileSystemNames(const std::string& device, VolumeIdentity& identity);

private:
    std::string MountSource(unsigned long device) const;
    bool HoldsSystemFiles(const std::filesystem::path& disk) const;

    std::string m_sysfs;
    std::string m_proc;
};

} // namespace dashcam
