#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempFolder.h"

namespace dashcam::test {

// A small sysfs and proc, shaped as the kernel lays them out: block devices under
// sys/devices with their "dev" numbers, reached through sys/dev/block/MAJOR:MINOR links; the
// mount table in proc/self/mountinfo and the swap list in proc/swaps.
class FakeSysfs {
public:
    FakeSysfs() {
        m_root.WriteText("proc/self/mountinfo", "");
        m_root.WriteText("proc/swaps", "Filename\tType\tSize\tUsed\tPriority\n");
    }
    // Adds a disk at its device path; "bus:parent" pairs name the subsystems of its parents.
    void AddDisk(const std::string& devicePath, const std::string& number,
                 const std::string& removable,
                 const std::vector<std::pair<std::string, std::string>>& buses = {}) {
        m_root.WriteText("sys/devices/" + devicePath + "/removable", removable + "\n");
        m_root.WriteText("sys/devices/" + devicePath + "/dev", number + "\n");
        Link(number, devicePath);
        for (const auto& [bus, above] : buses) {
            std::filesystem::create_directories(Sys() / "bus" / bus);
            std::filesystem::create_symlink(Sys() / "bus" / bus,
                                            Sys() / "devices" / above / "subsystem");
        }
    }
    void AddPartition(const std::string& diskPath, const std::string& name,
                      const std::string& number) {
        m_root.WriteText("sys/devices/" + diskPath + "/" + name + "/partition", "1\n");
        m_root.WriteText("sys/devices/" + diskPath + "/" + name + "/dev", number + "\n");
        Link(number, diskPath + "/" + name);
    }
    // A device built on a partition (a device-mapper volume, say).
    void AddHolder(const std::string& partitionPath, const std::string& name,
                   const std::string& number) {
        const std::string holder = "virtual/block/" + name;
        m_root.WriteText("sys/devices/" + holder + "/dev", number + "\n");
        std::filesystem::create_directories(Sys() / "devices" / partitionPath / "holders");
        std::filesystem::create_symlink(Sys() / "devices" / holder,
                                        Sys() / "devices" / partitionPath / "holders" / name);
        Link(number, holder);
    }
    // A line of the mount table, as the kernel writes it.
    void Mount(const std::string& number, const std::string& mountPoint,
               const std::string& source) {
        Append("proc/self/mountinfo", "30 1 " + number + " / " + mountPoint +
                                          " rw,relatime shared:1 - ext4 " + source + " rw\n");
    }
    void Swap(const std::string& file) {
        Append("proc/swaps", file + "\tpartition\t1048572\t0\t-2\n");
    }
    void Write(const std::string& file, const std::string& text) {
        m_root.WriteText("sys/devices/" + file, text);
    }
    std::string SysRoot() const { return Sys().string(); }
    std::string ProcRoot() const { return (m_root.Path() / "proc").string(); }

private:
    std::filesystem::path Sys() const { return m_root.Path() / "sys"; }
    void Link(const std::string& number, const std::string& devicePath) {
        std::filesystem::create_directories(Sys() / "dev/block");
        std::filesystem::create_symlink("../../devices/" + devicePath,
                                        Sys() / "dev/block" / number);
    }
    void Append(const std::string& file, const std::string& text) {
        const auto bytes = m_root.Read(file);
        m_root.WriteText(file, std::string(bytes.begin(), bytes.end()) + text);
    }

    TempFolder m_root;
};

} // namespace dashcam::test
