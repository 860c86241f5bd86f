#include "platform/linux/LinuxVolumes.h"

#include "platform/linux/LinuxMountTable.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace dashcam {
namespace {

namespace fs = std::filesystem;

// The running system lives on the disks that hold these; such a disk is never a memory card.
constexpr std::array kSystemMounts{"/",    "/boot", "/boot/efi", "/boot/firmware",
                                   "/efi", "/usr",  "/var",      "/home"};

bool DeviceOf(const fs::path& path, dev_t& device) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    device = st.st_dev;
    return true;
}

std::string ReadFirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string Number(dev_t device) {
    return std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

// The sysfs folder of the whole disk for a block device (the parent of a partition).
fs::path DiskFolder(const std::string& sysfs, unsigned major, unsigned minor) {
    std::error_code error;
    const fs::path node = fs::canonical(
        sysfs + "/dev/block/" + std::to_string(major) + ":" + std::to_string(minor), error);
    if (error) {
        return {};
    }
    return fs::exists(node / "partition") ? node.parent_path() : node;
}

// An SD card in a card slot. Soldered eMMC storage calls itself MMC and is a fixed disk.
bool IsSdCard(const fs::path& disk, const fs::path& devices) {
    for (fs::path above = disk.parent_path();
         above != devices && above.string().starts_with(devices.string());
         above = above.parent_path()) {
        std::error_code error;
        if (fs::read_symlink(above / "subsystem", error).filename() == "mmc") {
            return ReadFirstLine(above / "type") == "SD";
        }
    }
    return false;
}

// The names and numbers of a disk, its partitions and whatever is built on them (device-mapper
// volumes, software RAID), as the mount table and the swap list name them.
void CollectDevices(const fs::path& device, std::set<std::string>& names, int depth = 0) {
    std::error_code error;
    if (depth > 8 || !names.insert(device.filename().string()).second) {
        return;
    }
    names.insert(ReadFirstLine(device / "dev"));
    for (const auto& entry : fs::directory_iterator(device, error)) {
        if (fs::exists(entry.path() / "partition")) {
            CollectDevices(entry.path(), names, depth + 1);
        }
    }
    for (const auto& holder : fs::directory_iterator(device / "holders", error)) {
        CollectDevices(fs::canonical(holder.path(), error), names, depth + 1);
    }
}

bool NamesDevice(const std::set<std::string>& names, const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        // A swap file lives on the device of its file system.
        const dev_t device = S_ISBLK(st.st_mode) ? st.st_rdev : st.st_dev;
        if (names.count(Number(device)) != 0) {
            return true;
        }
    }
    return path.starts_with("/dev/") && names.count(fs::path(path).filename().string()) != 0;
}

// The path itself or, when it does not exist (yet), its nearest existing parent folder.
bool NearestExisting(const std::string& path, fs::path& existing, dev_t& device) {
    std::error_code error;
    existing = fs::weakly_canonical(path, error);
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

std::uint32_t Le32(const unsigned char* bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

std::string SerialText(std::uint32_t serial) {
    char text[10];
    std::snprintf(text, sizeof text, "%04X-%04X", unsigned(serial >> 16),
                  unsigned(serial & 0xFFFF));
    return text;
}

std::string LabelText(const unsigned char* bytes) {
    std::string label(reinterpret_cast<const char*>(bytes), 11);
    label.erase(label.find_last_not_of(' ') + 1);
    return label == "NO NAME" ? std::string() : label;
}

// The name of the link in /dev/disk/<kind> that leads to the device ("\x20" for a space).
std::string LinkNameOf(const std::string& device, const char* kind) {
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    for (const auto& link : fs::directory_iterator(fs::path("/dev/disk") / kind, error)) {
        std::error_code linkError;
        if (fs::canonical(link.path(), linkError) != target || linkError) {
            continue;
        }
        std::string name = link.path().filename().string();
        for (std::size_t at = name.find("\\x"); at != std::string::npos && at + 3 < name.size();
             at = name.find("\\x", at + 1)) {
            const std::string hex = name.substr(at + 2, 2);
            if (std::isxdigit(static_cast<unsigned char>(hex[0])) &&
                std::isxdigit(static_cast<unsigned char>(hex[1]))) {
                name.replace(at, 4, 1, char(std::strtol(hex.c_str(), nullptr, 16)));
            }
        }
        return name;
    }
    return {};
}

} // namespace

// The mount point is the highest folder above the path that is still on the path's device.
std::string LinuxVolumes::DriveRoot(const std::string& path) {
    fs::path current;
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

// The mount source of the mount whose file system carries the device number.
std::string LinuxVolumes::MountSource(unsigned long device) const {
    std::ifstream in(m_proc + "/self/mountinfo");
    std::string line;
    const std::string wanted = Number(dev_t(device));
    while (std::getline(in, line)) {
        MountInfoLine mount;
        if (ParseMountInfoLine(line, mount) && mount.numbers == wanted) {
            return mount.source;
        }
    }
    return {};
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
    fs::path existing;
    dev_t device = 0;
    if (!NearestExisting(path, existing, device)) {
        return false;
    }
    return IsRemovableDevice(major(device), minor(device));
}

// As Windows tells a removable drive: by its medium, not by the bus the disk hangs off. A USB
// or FireWire hard disk, or an SSD in a USB case, has a fixed medium and is no card.
bool LinuxVolumes::IsRemovableDevice(unsigned major, unsigned minor) const {
    const fs::path disk = DiskFolder(m_sysfs, major, minor);
    if (disk.empty()) {
        return false; // no block device: tmpfs, overlay, network file systems
    }
    std::error_code error;
    const fs::path devices = fs::weakly_canonical(m_sysfs + "/devices", error);
    const bool card = ReadFirstLine(disk / "removable") == "1" || IsSdCard(disk, devices);
    return card && !HoldsSystemFiles(disk);
}

// A disk one of whose partitions holds a mounted system file system or active swap.
bool LinuxVolumes::HoldsSystemFiles(const fs::path& disk) const {
    std::set<std::string> names;
    CollectDevices(disk, names);
    std::ifstream mounts(m_proc + "/self/mountinfo");
    std::string line;
    while (std::getline(mounts, line)) {
        MountInfoLine mount;
        if (!ParseMountInfoLine(line, mount) ||
            std::find(kSystemMounts.begin(), kSystemMounts.end(), mount.mountPoint) ==
                kSystemMounts.end()) {
            continue;
        }
        if (names.count(mount.numbers) != 0 || NamesDevice(names, mount.source)) {
            return true;
        }
    }
    std::ifstream swaps(m_proc + "/swaps");
    std::getline(swaps, line); // the column titles
    while (std::getline(swaps, line)) {
        std::istringstream fields(line);
        std::string file;
        if (fields >> file && NamesDevice(names, file)) {
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

VolumeIdentity LinuxVolumes::Identify(const std::string& path) {
    VolumeIdentity identity;
    fs::path existing;
    dev_t device = 0;
    if (!NearestExisting(path, existing, device)) {
        return identity;
    }
    identity.filesOn = device;
    const std::string source = MountSource(device);
    struct stat st {};
    if (!source.starts_with("/dev/") || ::stat(source.c_str(), &st) != 0 || !S_ISBLK(st.st_mode)) {
        return identity;
    }
    identity.device = source;
    identity.deviceNumber = st.st_rdev;
    const std::string sectors =
        ReadFirstLine(m_sysfs + "/dev/block/" + Number(st.st_rdev) + "/size");
    identity.sizeBytes = std::strtoull(sectors.c_str(), nullptr, 10) * 512;
    ReadFileSystemNames(source, identity);
    if (identity.serial.empty()) { // a desktop user may not read the device itself
        identity.serial = LinkNameOf(source, "by-uuid");
        identity.label = LinkNameOf(source, "by-label");
    }
    return identity;
}

void LinuxVolumes::ReadFileSystemNames(const std::string& device, VolumeIdentity& identity) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    unsigned char sector[512] = {};
    const bool read = ::pread(fd, sector, sizeof sector, 0) == ssize_t(sizeof sector);
    ::close(fd);
    if (!read || sector[510] != 0x55 || sector[511] != 0xAA) {
        return;
    }
    const auto text = [&](std::size_t at, std::size_t length) {
        return std::string(reinterpret_cast<const char*>(sector) + at, length);
    };
    if (text(3, 8) == "EXFAT   ") {
        identity.serial = SerialText(Le32(sector + 100));
    } else if (text(82, 5) == "FAT32" && sector[66] == 0x29) {
        identity.serial = SerialText(Le32(sector + 67));
        identity.label = LabelText(sector + 71);
    } else if (text(54, 3) == "FAT" && sector[38] == 0x29) {
        identity.serial = SerialText(Le32(sector + 39));
        identity.label = LabelText(sector + 43);
    }
}

} // namespace dashcam
