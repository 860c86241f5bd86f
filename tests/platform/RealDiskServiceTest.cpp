#include <gtest/gtest.h>
#include <unistd.h>

#include <QDBusInterface>
#include <QDBusReply>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "platform/linux/CommandMounter.h"
#include "platform/linux/LinuxFormatter.h"
#include "platform/linux/UDisks2Formatter.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/SystemBusDiskService.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestVolumes.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::CardImageTools;
using Route = UDisks2Formatter::Route;

int Format(IFormatter& formatter, const std::string& driveRoot) {
    FormatRequest request;
    request.driveRoot = driveRoot;
    request.fileSystem = u"FAT32";
    request.clusterSize = 32768;
    int success = -1;
    formatter.FormatEx(request, [&](int command, int, const void* data) {
        if (command == kFormatDone) {
            success = *static_cast<const unsigned char*>(data);
        }
        return true;
    });
    return success;
}

// Debian's own daemon: the editor reads its version and takes the route that version needs.
TEST(RealDiskService, EditorTakesTheRouteTheRunningDaemonNeeds) {
    if (!test::SystemBusDiskService::Present()) {
        GTEST_SKIP() << "udisksd (package udisks2) or dbus-daemon is missing";
    }
    test::SystemBusDiskService daemon;
    ASSERT_TRUE(daemon.ready);
    QDBusInterface properties("org.freedesktop.UDisks2", "/org/freedesktop/UDisks2/Manager",
                              "org.freedesktop.DBus.Properties", daemon.connection);
    const QDBusReply<QVariant> supported =
        properties.call("Get", "org.freedesktop.UDisks2.Manager", "SupportedFilesystems");
    ASSERT_TRUE(supported.isValid());
    EXPECT_TRUE(supported.value().toStringList().contains("vfat"));
    EXPECT_TRUE(supported.value().toStringList().contains("exfat"));

    test::TestVolumes volumes;
    CommandMounter mounter;
    LinuxFormatter formatter(volumes, mounter, [&] { return daemon.connection; });
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message));
    ASSERT_TRUE(formatter.UsesDiskService());
    UDisks2Formatter direct(daemon.connection);
    ASSERT_TRUE(direct.Load(message));
    const std::string installed = CardImageTools::Run("dpkg-query -W -f='${Version}' udisks2");
    EXPECT_EQ(installed.rfind(direct.version().toStdString(), 0), 0u) << installed;
    EXPECT_EQ(formatter.DiskServiceRoute(), UDisks2Formatter::RouteFor(direct.version()));
    if (direct.version().startsWith("2.9.")) { // Debian 12
        EXPECT_EQ(formatter.DiskServiceRoute(), Route::OpenDevice);
    }
    // A card the daemon does not know is not touched.
    EXPECT_EQ(Format(formatter, "/media/me/CARD/"), 0);
    EXPECT_FALSE(formatter.CardTouched());
}

// A 3 GiB card on a loop device, shown to the daemon as udev would (there is no udevd here, so
// the daemon reads the device's record that the test writes into udev's database) and mounted
// through FUSE, which the daemon sees as the card's mount point.
class LoopCard {
public:
    LoopCard() {
        mediaFolderWasThere = fs::exists(kMediaFolder);
        image = folder.File("card.img");
        mountPoint = folder.File("card");
        fs::create_directories(mountPoint);
        if (!CardImageTools::MakeImage(image, 3ULL << 30, "mkfs.exfat")) {
            return;
        }
        device = CardImageTools::Run("losetup -f --show '" + image + "'");
        device.erase(device.find_last_not_of('\n') + 1);
        if (device.rfind("/dev/loop", 0) != 0) {
            device.clear();
            return;
        }
        std::string number = CardImageTools::Run("lsblk -dno MAJ:MIN " + device);
        number.erase(std::remove_if(number.begin(), number.end(), ::isspace), number.end());
        record = "/run/udev/data/b" + number;
        fs::create_directories("/run/udev/data");
        std::ofstream(record) << "I:1\nE:ID_FS_USAGE=filesystem\nE:ID_FS_TYPE=exfat\n";
        int status = -1;
        CardImageTools::Run("mount.exfat-fuse '" + device + "' '" + mountPoint + "'", &status);
        ready = status == 0;
    }
    ~LoopCard() {
        CardImageTools::Run("fusermount -u '" + mountPoint + "'");
        if (!record.empty()) {
            fs::remove(record);
        }
        if (!device.empty()) {
            CardImageTools::Run("losetup -d " + device);
        }
        // The daemon's attempt to mount the card again makes its folder for root's mounts.
        std::error_code error;
        if (!mediaFolderWasThere && fs::is_empty(kMediaFolder, error)) {
            fs::remove(kMediaFolder, error);
        }
    }
    static bool Possible() {
        return CardImageTools::Present(
                   "losetup lsblk mkfs.exfat mount.exfat-fuse minfo fsck.fat") &&
               fs::exists("/dev/fuse") && ::geteuid() == 0;
    }

    test::TempFolder folder;
    std::string image, mountPoint, device, record;
    bool ready = false;

private:
    static constexpr const char* kMediaFolder = "/media/root";
    bool mediaFolderWasThere = false;
};

// Debian 12's daemon would make its own vfat; the editor has it unmount the card and open the
// device, and writes the FAT32 itself. (The daemon cannot mount the new volume again here: this
// kernel has no FAT driver.)
TEST(RealDiskService, Debian12DaemonOpensTheCardAndTheEditorWritesTheFat32) {
    if (!test::SystemBusDiskService::Present() || !LoopCard::Possible()) {
        GTEST_SKIP() << "udisksd, a loop device, FUSE, exfatprogs or mtools is missing";
    }
    LoopCard card;
    if (!card.ready) {
        GTEST_SKIP() << "no loop device could be attached and mounted here";
    }
    test::SystemBusDiskService daemon;
    ASSERT_TRUE(daemon.ready);
    UDisks2Formatter formatter(daemon.connection);
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message));
    if (formatter.route() != Route::OpenDevice) {
        GTEST_SKIP() << "this daemon formats with the cluster arguments itself";
    }
    Format(formatter, card.mountPoint + "/");
    EXPECT_TRUE(formatter.CardTouched());
    EXPECT_NE(formatter.LastFault(), FormatFault::WrongLayout);
    EXPECT_EQ(CardImageTools::MinfoClusterBytes(card.image), 32768u);
    std::string said;
    EXPECT_TRUE(CardImageTools::FsckClean(card.image, &said)) << said;
}

} // namespace
} // namespace dashcam
