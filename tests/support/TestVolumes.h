#pragma once

#include <set>
#include <string>

#include "platform/linux/LinuxVolumes.h"

namespace dashcam::test {

// The real volumes, except that the test says which folders count as removable and how big
// their volume is.
class TestVolumes : public IVolumes {
public:
    std::string DriveRoot(const std::string& path) override {
        return driveRoot.empty() ? real.DriveRoot(path) : driveRoot;
    }
    std::string BlockDevice(const std::string& path) override {
        return blockDevice.empty() ? real.BlockDevice(path) : blockDevice;
    }
    bool IsRemovable(const std::string& path) override { return removable.count(path) != 0; }
    std::uint64_t CapacityBytes(const std::string& path) override {
        return capacity != 0 ? capacity : real.CapacityBytes(path);
    }

    std::set<std::string> removable;
    std::uint64_t capacity = 0;
    std::string driveRoot;
    std::string blockDevice;

private:
    LinuxVolumes real;
};

} // namespace dashcam::test
