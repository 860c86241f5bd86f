#pragma once

#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/linux/LinuxVolumes.h"

namespace dashcam::test {

// The real volumes, except that the test says which folders count as removable and how big
// their volume is. A card image mounted through FUSE is shown behind its mount, as the kernel
// shows a card's block device, while the mount is there.
class TestVolumes : public IVolumes {
public:
    std::string DriveRoot(const std::string& path) override {
        return driveRoot.empty() ? real.DriveRoot(path) : driveRoot;
    }
    std::string BlockDevice(const std::string& path) override {
        return blockDevice.empty() ? real.BlockDevice(path) : blockDevice;
    }
    bool IsRemovable(const std::string& path) override {
        return sysfs != nullptr ? sysfs->IsRemovable(path) : removable.count(path) != 0;
    }
    std::uint64_t CapacityBytes(const std::string& path) override {
        return capacity != 0 ? capacity : real.CapacityBytes(path);
    }
    VolumeIdentity Identify(const std::string& path) override {
        VolumeIdentity found = real.Identify(path);
        if (identity) { // a volume made up by the test, wherever the path is
            const std::uint64_t filesOn = found.filesOn;
            found = *identity;
            found.filesOn = filesOn;
        } else if (!blockDevice.empty() && OnFuseMount(found.filesOn)) {
            ShowImage(found);
        }
        return found;
    }

    std::set<std::string> removable;
    LinuxVolumes* sysfs = nullptr; // when set, it tells which paths are memory cards
    std::uint64_t capacity = 0;
    std::string driveRoot;
    std::string blockDevice; // the card image (or loop device) behind a FUSE mount
    std::optional<VolumeIdentity> identity;

private:
    static bool OnFuseMount(std::uint64_t filesOn) {
        std::ifstream in("/proc/self/mountinfo");
        const std::string wanted =
            std::to_string(major(dev_t(filesOn))) + ":" + std::to_string(minor(dev_t(filesOn)));
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            std::string id, parent, numbers, field;
            fields >> id >> parent >> numbers;
            while (fields >> field && field != "-") {
            }
            fields >> field;
            if (numbers == wanted) {
                return field.starts_with("fuse");
            }
        }
        return false;
    }
    void ShowImage(VolumeIdentity& found) const {
        struct stat st {};
        if (::stat(blockDevice.c_str(), &st) != 0) {
            return;
        }
        found.device = blockDevice;
        found.deviceNumber = S_ISBLK(st.st_mode) ? st.st_rdev : st.st_ino;
        found.sizeBytes = S_ISBLK(st.st_mode) ? capacity : std::uint64_t(st.st_size);
        LinuxVolumes::ReadFileSystemNames(blockDevice, found);
    }

    LinuxVolumes real;
};

} // namespace dashcam::test
