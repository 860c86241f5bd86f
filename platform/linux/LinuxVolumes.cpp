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
std::filesystem::path DiskFolder(dev_t device) {
    std::error_code error;
    const std::filesystem::path node = std::filesystem::canonical(
        "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device)),
        error);
    if (error) {
        return {};
    }
    return std::filesystem::exists(node / "partition") ? node.parent_path() : node;
}

} // namespace

// The mount point is the highest folder above the path that is still on the path's device.
std::string LinuxVolumes::DriveRoot(const std::string& path) {
    std::error_code error;
    std::filesystem::path current = std::filesystem::weakly_canonical(path, error);
    if (error) {
        return {};
    }
    dev_t device = 0;
    while (!DeviceOf(current, device)) {
        if (current == current.root_path()) {
            return {};
        }
        current = current.parent_path();
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

// Memory cards and USB drives: the kernel's removable flag (card readers and USB sticks set it),
// or a disk that hangs off a USB or an SD/MMC controller (hot-pluggable readers).
bool LinuxVolumes::IsRemovable(const std::string& path) {
    dev_t device = 0;
    if (!DeviceOf(path, device) || major(device) == 0) {
        return false;
    }
    const std::filesystem::path disk = DiskFolder(device);
    if (disk.empty()) {
        return false;
    }
    if (ReadFirstLine(disk / "removable") == "1") {
        return true;
    }
    std::error_code error;
    const std::string via = std::filesystem::canonical(disk / "device", error).string();
    return !error &&
           (via.find("/usb") != std::string::npos || via.find("/mmc") != std::string::npos);
}

std::uint64_t LinuxVolumes::CapacityBytes(const std::string& path) {
    struct statvfs fs {};
    if (::statvfs(path.c_str(), &fs) != 0) {
        return 0;
    }
    return std::uint64_t(fs.f_blocks) * fs.f_frsize;
}

} // namespace dashcam
