#include <filesystem>
#include <gtest/gtest.h>

#include "platform/linux/LinuxVolumes.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;

// A small sysfs: block devices under /devices, reached through /dev/block/MAJOR:MINOR links.
class FakeSysfs {
public:
    // Adds a disk at its device path; "bus:name" pairs name the subsystems of its parents.
    void AddDisk(const std::string& devicePath, const std::string& removable,
                 const std::vector<std::pair<std::string, std::string>>& buses = {}) {
        const fs::path disk = m_root.Path() / "devices" / devicePath;
        fs::create_directories(disk);
        m_root.WriteText("devices/" + devicePath + "/removable", removable + "\n");
        for (const auto& [bus, above] : buses) {
            fs::create_directories(m_root.Path() / "bus" / bus);
            const fs::path parent = m_root.Path() / "devices" / above;
            fs::create_symlink(m_root.Path() / "bus" / bus, parent / "subsystem");
        }
    }
    void AddPartition(const std::string& diskPath, const std::string& name) {
        m_root.WriteText("devices/" + diskPath + "/" + name + "/partition", "1\n");
    }
    void Link(const std::string& number, const std::string& devicePath) {
        fs::create_directories(m_root.Path() / "dev/block");
        fs::create_symlink("../../devices/" + devicePath, m_root.Path() / "dev/block" / number);
    }
    void Write(const std::string& file, const std::string& text) {
        m_root.WriteText("devices/" + file, text);
    }
    std::string Root() const { return m_root.Path().string(); }

private:
    test::TempFolder m_root;
};

TEST(RemovableDrive, CardReadersAndUsbSticksAreRemovableFixedDisksAreNot) {
    FakeSysfs sys;
    const std::string usb = "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/"
                            "6:0:0:0/block/sdb";
    sys.AddDisk(usb, "0", {{"usb", "pci0000:00/0000:00:14.0/usb2/2-1"}});
    sys.AddPartition(usb, "sdb1");
    sys.Link("8:17", usb + "/sdb1");

    const std::string sata = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
    sys.AddDisk(sata, "0", {{"pci", "pci0000:00/0000:00:17.0"}});
    sys.AddPartition(sata, "sda2");
    sys.Link("8:2", sata + "/sda2");

    const std::string reader = "pci0000:00/0000:00:1c.0/0000:02:00.0/block/sdc";
    sys.AddDisk(reader, "1");
    sys.Link("8:32", reader);

    const std::string sd = "pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa/block/mmcblk0";
    sys.AddDisk(sd, "0", {{"mmc", "pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa"}});
    sys.Write("pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa/type", "SD\n");
    sys.AddPartition(sd, "mmcblk0p1");
    sys.Link("179:1", sd + "/mmcblk0p1");

    const std::string emmc = "platform/emmc/mmc_host/mmc1/mmc1:0001/block/mmcblk1";
    sys.AddDisk(emmc, "0", {{"mmc", "platform/emmc/mmc_host/mmc1/mmc1:0001"}});
    sys.Write("platform/emmc/mmc_host/mmc1/mmc1:0001/type", "MMC\n");
    sys.Link("179:8", emmc);

    // A port that says what is plugged into it can be pulled out.
    const std::string port = "pci0000:00/0000:00:1d.0/port3/block/sdd";
    sys.AddDisk(port, "0");
    sys.Write("pci0000:00/0000:00:1d.0/port3/removable", "removable\n");
    sys.Link("8:48", port);

    LinuxVolumes volumes(sys.Root());
    EXPECT_TRUE(volumes.IsRemovableDevice(8, 17));
    EXPECT_FALSE(volumes.IsRemovableDevice(8, 2));
    EXPECT_TRUE(volumes.IsRemovableDevice(8, 32));
    EXPECT_TRUE(volumes.IsRemovableDevice(179, 1));
    EXPECT_FALSE(volumes.IsRemovableDevice(179, 8));
    EXPECT_TRUE(volumes.IsRemovableDevice(8, 48));
    EXPECT_FALSE(volumes.IsRemovableDevice(0, 42)); // no block device: tmpfs, overlay
}

TEST(RemovableDrive, PathsOffAnyBlockDeviceAreFixed) {
    LinuxVolumes volumes;
    EXPECT_FALSE(volumes.IsRemovable("/proc/self/"));
    EXPECT_FALSE(volumes.IsRemovable("/nonexistent/none/at/all"));
}

} // namespace
} // namespace dashcam
