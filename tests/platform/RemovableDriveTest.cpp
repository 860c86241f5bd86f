#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/linux/LinuxVolumes.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

// Device paths as the kernel lays them out for each kind of disk.
const std::string kUsbPort = "pci0000:00/0000:00:14.0/usb2/2-1";
const std::string kUsbDisk = kUsbPort + "/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
const std::string kFirewire = "pci0000:00/0000:00:1e.0/0000:05:00.0/fw1/fw1.0";
const std::string kFirewireDisk = kFirewire + "/host7/target7:0:0/7:0:0:0/block/sdc";
const std::string kSdSlot = "pci0000:00/0000:00:1e.6/mmc_host/mmc0/mmc0:aaaa";
const std::string kSdCard = kSdSlot + "/block/mmcblk0";

// Memory cards as Windows tells a removable drive: by the medium, never by the bus alone.
TEST(RemovableDrive, OnlyRemovableMediaAndSdCardsAreMemoryCards) {
    test::FakeSysfs sys;
    // A USB hard disk and an NVMe SSD in a USB case: fixed media on the USB bus.
    sys.AddDisk(kUsbDisk, "8:16", "0", {{"usb", kUsbPort}});
    sys.AddPartition(kUsbDisk, "sdb1", "8:17");
    const std::string nvmeCase = "pci0000:00/0000:00:14.0/usb3/3-2";
    sys.AddDisk(nvmeCase + "/3-2:1.0/host8/target8:0:0/8:0:0:0/block/sdd", "8:48", "0",
                {{"usb", nvmeCase}});
    sys.Write(nvmeCase + "/removable", "removable\n"); // the port is external; the disk is not
    sys.AddDisk(kFirewireDisk, "8:32", "0", {{"firewire", kFirewire}});
    sys.AddDisk("pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda", "8:0", "0");
    sys.AddDisk("pci0000:00/0000:01:00.0/nvme/nvme0/nvme0n1", "259:0", "0");
    const std::string emmc = "platform/emmc/mmc_host/mmc1/mmc1:0001";
    sys.AddDisk(emmc + "/block/mmcblk1", "179:8", "0", {{"mmc", emmc}});
    sys.Write(emmc + "/type", "MMC\n");

    // A card in a USB card reader, a USB flash drive, an SD card in a laptop's slot.
    const std::string reader = "pci0000:00/0000:00:14.0/usb2/2-3";
    sys.AddDisk(reader + "/2-3:1.0/host9/target9:0:0/9:0:0:0/block/sde", "8:64", "1",
                {{"usb", reader}});
    sys.AddPartition(reader + "/2-3:1.0/host9/target9:0:0/9:0:0:0/block/sde", "sde1", "8:65");
    const std::string stick = "pci0000:00/0000:00:14.0/usb2/2-4";
    sys.AddDisk(stick + "/2-4:1.0/host10/target10:0:0/10:0:0:0/block/sdf", "8:80", "1",
                {{"usb", stick}});
    sys.AddDisk(kSdCard, "179:0", "0", {{"mmc", kSdSlot}});
    sys.Write(kSdSlot + "/type", "SD\n");
    sys.AddPartition(kSdCard, "mmcblk0p1", "179:1");

    LinuxVolumes volumes(sys.SysRoot(), sys.ProcRoot());
    for (const auto& [major, minor] :
         {std::pair{8u, 17u}, {8u, 48u}, {8u, 32u}, {8u, 0u}, {259u, 0u}, {179u, 8u}, {0u, 42u}}) {
        EXPECT_FALSE(volumes.IsRemovableDevice(major, minor)) << major << ":" << minor;
    }
    for (const auto& [major, minor] : {std::pair{8u, 65u}, {8u, 80u}, {179u, 1u}}) {
        EXPECT_TRUE(volumes.IsRemovableDevice(major, minor)) << major << ":" << minor;
    }
}

// A card that the running system lives on (a single-board computer's root file system, its
// boot partition, a volume built on it, its swap) is never a card to format.
TEST(RemovableDrive, DiskHoldingTheSystemIsNeverACard) {
    const auto sdCard = [](test::FakeSysfs& sys) {
        sys.AddDisk(kSdCard, "179:0", "0", {{"mmc", kSdSlot}});
        sys.Write(kSdSlot + "/type", "SD\n");
        sys.AddPartition(kSdCard, "mmcblk0p1", "179:1");
        sys.AddPartition(kSdCard, "mmcblk0p2", "179:2");
    };
    {
        test::FakeSysfs sys;
        sdCard(sys);
        sys.Mount("179:2", "/", "/dev/mmcblk0p2");
        sys.Mount("179:1", "/media/pi/CARD", "/dev/mmcblk0p1");
        EXPECT_FALSE(LinuxVolumes(sys.SysRoot(), sys.ProcRoot()).IsRemovableDevice(179, 1));
    }
    {
        test::FakeSysfs sys; // a file system whose numbers are not the partition's (btrfs)
        sdCard(sys);
        sys.Mount("0:31", "/boot/firmware", "/dev/mmcblk0p2");
        EXPECT_FALSE(LinuxVolumes(sys.SysRoot(), sys.ProcRoot()).IsRemovableDevice(179, 1));
    }
    {
        test::FakeSysfs sys;
        sdCard(sys);
        sys.AddHolder(kSdCard + "/mmcblk0p2", "dm-0", "254:0");
        sys.Mount("254:0", "/home", "/dev/mapper/vg-home");
        EXPECT_FALSE(LinuxVolumes(sys.SysRoot(), sys.ProcRoot()).IsRemovableDevice(179, 1));
    }
    {
        test::FakeSysfs sys;
        sdCard(sys);
        sys.Swap("/dev/mmcblk0p2");
        EXPECT_FALSE(LinuxVolumes(sys.SysRoot(), sys.ProcRoot()).IsRemovableDevice(179, 1));
    }
    {
        test::FakeSysfs sys; // the system on another disk leaves the card a card
        sdCard(sys);
        sys.Mount("8:2", "/", "/dev/sda2");
        sys.Swap("/dev/sda3");
        sys.Mount("179:1", "/media/user/CARD", "/dev/mmcblk0p1");
        EXPECT_TRUE(LinuxVolumes(sys.SysRoot(), sys.ProcRoot()).IsRemovableDevice(179, 1));
    }
}

// The serial number and label that tell a freshly made file system from the one before.
TEST(RemovableDrive, FileSystemNamesComeFromTheBootSector) {
    test::TempFolder work;
    const std::string fat = work.File("fat.img");
    const std::string exfat = work.File("exfat.img");
    if (std::system(("truncate -s 40M '" + fat + "' '" + exfat +
                     "' && mkfs.fat -F 32 -i 1234ABCD -n " + "CAMCARD '" + fat +
                     "' >/dev/null 2>&1 && mkfs.exfat -L CAM '" + exfat + "' >/dev/null 2>&1")
                        .c_str()) != 0) {
        GTEST_SKIP() << "mkfs.fat or mkfs.exfat is missing";
    }
    VolumeIdentity identity;
    LinuxVolumes::ReadFileSystemNames(fat, identity);
    EXPECT_EQ(identity.serial, "1234-ABCD");
    EXPECT_EQ(identity.label, "CAMCARD");
    VolumeIdentity other;
    LinuxVolumes::ReadFileSystemNames(exfat, other);
    EXPECT_EQ(other.serial.size(), 9u); // its label lives in the root folder, not read here
    VolumeIdentity none;
    LinuxVolumes::ReadFileSystemNames(work.File("missing.img"), none);
    EXPECT_TRUE(none.serial.empty());
}

TEST(RemovableDrive, PathsOffAnyBlockDeviceAreFixed) {
    LinuxVolumes volumes;
    EXPECT_FALSE(volumes.IsRemovable("/proc/self/"));
    EXPECT_FALSE(volumes.IsRemovable("/nonexistent/none/at/all"));
}

} // namespace
} // namespace dashcam
