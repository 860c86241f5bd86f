#include "platform/linux/LinuxVolumes.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>

namespace dashcam {
namespace {

bool DeviceOf(const std::filesystem::path& path, dev_t& device) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    device = st.st_dev;
    return true;
}

std::string ReadFirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// The mount source of the mount whose root device is the path's device, from the mount table.
std::string MountSource(dev_t device) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, numbers, root, mountPoint;
        fields >> id >> parent >> numbers >> root >> mountPoint;
        if (numbers != wanted) {
            continue;
        }
        std::string field;
        while (fields >> field && field != "-") {
        }
        std::string type, source;
        fields >> type >> source;
        return source;
    }
    return {};
}

// The sysfs folder of the whole disk for a block device (the parent of a partition).
std::filesystem::path DiskFolder(const std::string& sysfs, unsigned major, unsigned minor) {
    std::error_code error;
    const std::filesystem::path node = std::filesystem::canonical(
        sysfs + "/dev/block/" + std::to_string(major) + ":" + std::to_string(minor), error);
    if (error) {
        return {};
    }
    return std::filesystem::exists(node / "partition") ? node.parent_path() : node;
}

// A device above a disk through which the disk can come and go while the machine runs.
bool IsHotPlugDevice(const std::filesystem::path& device) {
    // USB ports tell on their own whether what is plugged into them can be pulled out.
    if (ReadFirstLine(device / "removable") == "removable") {
        return true;
    }
    std::error_code error;
    const std::string bus = std::filesystem::read_symlink(device / "subsystem", error).filename();
    if (error) {
        return false;
    }
    // An SD card in a reader; soldered eMMC storage calls itself MMC and is a fixed disk.
    if (bus == "mmc") {
        return ReadFirstLine(device / "type") == "SD";
    }
    return bus == "usb" || bus == "memstick" || bus == "pcmcia" || bus == "firewire";
}

// The path itself or, when it does not exist (yet), its nearest existing parent folder.
bool NearestExisting(const std::string& path, std::filesystem::path& existing, dev_t& device) {
    std::error_code error;
    existing = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return false;
    }
    while (!DeviceOf(existing, device)) {
        if (existing == existing.root_path()) {
            return false;
        }
        existing = existing.parent_path();
    }
    return true;
}

} // namespace

// The mount point is the highest folder above the path that is still on the path's device.
std::string LinuxVolumes::DriveRoot(const std::string& path) {
    std::filesystem::path current;
    dev_t device = 0;
    if (!NearestExisting(path, current, device)) {
        return {};
    }
    while (current != current.root_path()) {
        dev_t parentDevice = 0;
        if (!DeviceOf(current.parent_path(), parentDevice) || parentDevice != device) {
            break;
        }
        current = current.parent_path();
    }
    std::string root = current.string();
    if (root.back() != '/') {
        root += '/';
    }
    return root;
}

std::string LinuxVolumes::BlockDevice(const std::string& path) {
    dev_t device = 0;
    if (!DeviceOf(path, device)) {
        return {};
    }
    const std::string source = MountSource(device);
    return source.rfind("/dev/", 0) == 0 ? source : std::string();
}

bool LinuxVolumes::IsRemovable(const std::string& path) {
    std::filesystem::path existing;
    dev_t device = 0;
    if (!NearestExisting(path, existing, device)) {
        return false;
    }
    return IsRemovableDevice(major(device), minor(device));
}

// Memory cards and USB drives: the kernel's removable flag (card readers and USB sticks set it),
// or a disk that hangs off a USB port, an SD card slot or another hot-plug bus.
bool LinuxVolumes::IsRemovableDevice(unsigned major, unsigned minor) const {
    const std::filesystem::path disk = DiskFolder(m_sysfs, major, minor);
    if (disk.empty()) {
        return false; // no block device: tmpfs, overlay, network file systems
    }
    if (ReadFirstLine(disk / "removable") == "1") {
        return true;
    }
    std::error_code error;
    const std::filesystem::path devices =
        std::filesystem::weakly_canonical(m_sysfs + "/devices", error);
    for (std::filesystem::path above = disk.parent_path();
         above != devices && above.string().starts_with(devices.string());
         above = above.parent_path()) {
        if (IsHotPlugDevice(above)) {
            return true;
        }
    }
    return false;
}

std::uint64_t LinuxVolumes::CapacityBytes(const std::string& path) {
    struct statvfs fs {};
    if (::statvfs(path.c_str(), &fs) != 0) {
        return 0;
    }
    return std::uint64_t(fs.f_blocks) * fs.f_frsize;
}

} // namespace dashcam
