#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>
#include <filesystem>

#include "platform/linux/LinuxMountWatch.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/PrivateDiskService.h"
#include "tests/support/SystemBusDiskService.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

// Without the disk service, the real mount table: a FUSE mount of a card image is news.
TEST(MountWatch, MountTableTellsOfAMount) {
    if (!test::CardImageTools::Present("fusefat mkfs.fat fusermount")) {
        GTEST_SKIP() << "fusefat, mkfs.fat or fusermount missing";
    }
    test::TempFolder folder;
    const std::string image = folder.File("card.img");
    const std::string mountPoint = folder.File("mnt");
    ASSERT_TRUE(test::CardImageTools::MakeImage(image, 4 << 20, "mkfs.fat"));
    std::filesystem::create_directories(mountPoint);
    LinuxMountWatch watch(QDBusConnection(QStringLiteral("none")));
    int changes = 0;
    watch.Start([&] { ++changes; });
    ASSERT_EQ(watch.Watching(), LinuxMountWatch::Source::MountTable);
    int status = 0;
    test::CardImageTools::Run("fusefat -o rw+ '" + image + "' '" + mountPoint + "'", &status);
    ASSERT_EQ(status, 0);
    QTRY_VERIFY_WITH_TIMEOUT(changes > 0, 5000);
    test::CardImageTools::Run("fusermount -u '" + mountPoint + "'");
    watch.Stop();
    EXPECT_EQ(watch.Watching(), LinuxMountWatch::Source::None);
}

// With the disk service answering (the fake models udisksd 2.9.4's signals), its news is taken:
// a mount changes a file system's MountPoints.
TEST(MountWatch, DiskServiceTellsOfAMount) {
    if (!test::PrivateDiskService::ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus missing";
    }
    test::TempFolder folder;
    test::PrivateDiskService service(folder.File("calls.log"), folder.File("card"), {});
    ASSERT_TRUE(service.ready);
    LinuxMountWatch watch(service.connection);
    int changes = 0;
    watch.Start([&] { ++changes; });
    ASSERT_EQ(watch.Watching(), LinuxMountWatch::Source::DiskService);
    const QDBusMessage mount =
        QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.UDisks2"),
            QStringLiteral("/org/freedesktop/UDisks2/block_devices/sdz1"),
            QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Mount"))
        << QVariantMap();
    ASSERT_EQ(service.connection.call(mount).type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY_WITH_TIMEOUT(changes > 0, 5000);
    watch.Stop();
    const int seen = changes;
    service.connection.call(mount);
    QTest::qWait(200);
    EXPECT_EQ(changes, seen); // stopped: no more news
}

// Debian 12's own udisksd answers the watch's ping, so a desktop's watch takes its signals.
TEST(MountWatch, RealDiskServiceIsTakenWhenItAnswers) {
    if (!test::SystemBusDiskService::Present()) {
        GTEST_SKIP() << "udisksd (package udisks2) or dbus-daemon is missing";
    }
    test::SystemBusDiskService daemon;
    ASSERT_TRUE(daemon.ready);
    LinuxMountWatch watch(daemon.connection);
    watch.Start([] {});
    EXPECT_EQ(watch.Watching(), LinuxMountWatch::Source::DiskService);
}

} // namespace
} // namespace dashcam
