#include <gtest/gtest.h>

#include <QDBusInterface>
#include <filesystem>
#include <map>

#include "platform/linux/FatLayout.h"
#include "platform/linux/UDisks2Formatter.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/PrivateDiskService.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::CardImageTools;
using test::PrivateDiskService;
using Route = UDisks2Formatter::Route;
constexpr std::uint64_t kMiB = 1ULL << 20;

// The formatter against the fake disk service, which behaves as the service version it is told
// and really formats a card image.
struct UDisks2 : ::testing::Test {
    void SetUp() override {
        if (!PrivateDiskService::ToolsPresent() ||
            !CardImageTools::Present("mkfs.vfat mkfs.exfat minfo fsck.fat truncate")) {
            GTEST_SKIP() << "dbus-daemon, python3-dbus/python3-gi, dosfstools, exfatprogs or "
                            "mtools missing";
        }
    }
    struct Outcome {
        int structureReports = 0;
        int success = -1;
    };
    Outcome Format(UDisks2Formatter& formatter, std::u16string fileSystem, std::uint32_t cluster) {
        FormatRequest request;
        request.driveRoot = "/media/me/CARD/";
        request.fileSystem = std::move(fileSystem);
        request.clusterSize = cluster;
        Outcome outcome;
        formatter.FormatEx(request, [&](int command, int, const void* data) {
            if (command == kFormatStructureProgress) {
                ++outcome.structureReports;
            } else if (command == kFormatDone) {
                outcome.success = *static_cast<const unsigned char*>(data);
            }
            return true;
        });
        return outcome;
    }
    PrivateDiskService::Model Card(std::uint64_t bytes, QString version = "2.9.4") {
        EXPECT_TRUE(CardImageTools::MakeImage(image, bytes, "mkfs.vfat"));
        return {version, image, false, {}};
    }
    test::TempFolder folder;
    const std::string image = folder.File("card.img");
    const std::string log = folder.File("calls.log");
};

TEST_F(UDisks2, RouteFollowsTheServiceVersion) {
    EXPECT_EQ(UDisks2Formatter::RouteFor("2.9.4"), Route::OpenDevice);
    EXPECT_EQ(UDisks2Formatter::RouteFor("2.8.1"), Route::OpenDevice);
    EXPECT_EQ(UDisks2Formatter::RouteFor("2.10.0"), Route::ServiceFormat);
    EXPECT_EQ(UDisks2Formatter::RouteFor("2.11.90"), Route::ServiceFormat);
    EXPECT_EQ(UDisks2Formatter::RouteFor("3.0"), Route::ServiceFormat);
}

// Debian 12's service makes its own vfat whatever is asked (FAT16 on this card); the editor
// writes the card through the device the service opens, and gets the FAT32 it asked for. A
// 2.10 service takes the cluster arguments itself; the fake's mount point is no FAT volume, so
// the layout is then read from the device opened for reading.
TEST_F(UDisks2, EveryServiceVersionGivesTheCardTheFat32Asked) {
    const std::map<QString, std::vector<std::string>> calls{
        {"2.9.4", {"Unmount", "OpenDevice rw", "Mount"}},
        {"2.10.1",
         {"Unmount", "Format vfat label= mkfs-args=-F 32 -s 16", "Mount", "OpenDevice r"}}};
    for (const auto& [version, expected] : calls) {
        std::filesystem::remove(log);
        PrivateDiskService service(log, "/media/me/CARD", Card(1024 * kMiB, version));
        ASSERT_TRUE(service.ready);
        UDisks2Formatter formatter(service.connection);
        std::u16string message;
        ASSERT_TRUE(formatter.Load(message));
        EXPECT_EQ(formatter.version(), version);
        const Outcome fat = Format(formatter, u"FAT32", 32768);
        EXPECT_EQ(fat.success, 1) << version.toStdString();
        EXPECT_EQ(formatter.LastFault(), FormatFault::None);
        EXPECT_GE(fat.structureReports, 3);
        EXPECT_LE(fat.structureReports, 5);
        EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD-new/");
        EXPECT_EQ(service.Calls(), expected);
        EXPECT_EQ(CardImageTools::MinfoClusterBytes(image), 8192u); // largest valid on 1 GiB
        std::string said;
        EXPECT_TRUE(CardImageTools::FsckClean(image, &said)) << said;
    }
    // What the 2.9.4 service makes when asked directly: its own layout, not the one asked for.
    PrivateDiskService service(log, "/media/me/CARD", Card(64 * kMiB));
    ASSERT_TRUE(service.ready);
    QDBusInterface block("org.freedesktop.UDisks2", "/org/freedesktop/UDisks2/block_devices/sdz1",
                         "org.freedesktop.UDisks2.Block", service.connection);
    const QVariantMap options{{"mkfs-args", QStringList{"-F", "32", "-s", "1"}}};
    ASSERT_EQ(block.call("Format", "vfat", options).type(), QDBusMessage::ReplyMessage);
    const std::optional<FatLayout> made = FatLayout::ReadFile(image);
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(made->kind, FatLayout::Kind::Fat16);
}

TEST_F(UDisks2, ExfatIsTheServicesOwnFormatAndIsCheckedToo) {
    PrivateDiskService service(log, "/media/me/CARD", Card(64 * kMiB));
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message));
    EXPECT_EQ(Format(formatter, u"exfat", 0).success, 1);
    EXPECT_EQ(service.Calls(),
              (std::vector<std::string>{"Unmount", "Format exfat label= mkfs-args=", "Mount",
                                        "OpenDevice r"}));
    EXPECT_EQ(FatLayout::ReadFile(image)->kind, FatLayout::Kind::Exfat);
}

TEST_F(UDisks2, RefusedCallsAreAFailedFormatThatSaysWhetherTheCardWasTouched) {
    const struct {
        const char* failure;
        std::vector<std::string> calls;
        std::string mountPoint; // a card never taken off is where it was; one not mounted again
                                // is nowhere
        FormatFault fault;
        bool touched;
    } cases[] = {
        {"fail-unmount", {"Unmount"}, "/media/me/CARD/", FormatFault::Failed, false},
        {"deny-open",
         {"Unmount", "OpenDevice rw", "Mount"},
         "/media/me/CARD-new/",
         FormatFault::NotAuthorised,
         false},
        {"read-only-open",
         {"Unmount", "OpenDevice rw", "Mount"},
         "/media/me/CARD-new/",
         FormatFault::WriteProtected,
         false},
        {"fail-mount", {"Unmount", "OpenDevice rw", "Mount"}, "", FormatFault::Failed, true},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(log);
        PrivateDiskService::Model model = Card(64 * kMiB);
        model.failure = c.failure;
        PrivateDiskService service(log, "/media/me/CARD", model);
        ASSERT_TRUE(service.ready) << c.failure;
        UDisks2Formatter formatter(service.connection);
        std::u16string message;
        ASSERT_TRUE(formatter.Load(message));
        EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0) << c.failure;
        EXPECT_EQ(service.Calls(), c.calls) << c.failure;
        EXPECT_EQ(formatter.MountPointAfterFormat(), c.mountPoint) << c.failure;
        EXPECT_EQ(formatter.LastFault(), c.fault) << c.failure;
        EXPECT_EQ(formatter.CardTouched(), c.touched) << c.failure;
    }
}

// A locked card, or one too small for FAT32, is refused before the service is asked anything.
TEST_F(UDisks2, WriteProtectedOrTooSmallCardIsNeverTouched) {
    PrivateDiskService::Model locked = Card(64 * kMiB);
    locked.readOnly = true;
    for (const auto& [model, fault] : {std::pair{locked, FormatFault::WriteProtected},
                                       std::pair{Card(32 * kMiB), FormatFault::TooSmall}}) {
        std::filesystem::remove(log);
        PrivateDiskService service(log, "/media/me/CARD", model);
        ASSERT_TRUE(service.ready);
        UDisks2Formatter formatter(service.connection);
        std::u16string message;
        ASSERT_TRUE(formatter.Load(message));
        EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0);
        EXPECT_EQ(formatter.LastFault(), fault);
        EXPECT_FALSE(formatter.CardTouched());
        EXPECT_TRUE(service.Calls().empty());
        EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD/");
    }
}

TEST_F(UDisks2, CardNotKnownToTheServiceOrNoServiceAtAll) {
    PrivateDiskService service(log, "/media/me/OTHER", Card(64 * kMiB));
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0);
    EXPECT_TRUE(service.Calls().empty());
    EXPECT_FALSE(formatter.CardTouched());
    EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD/");

    UDisks2Formatter absent(service.connection, QStringLiteral("org.example.NoSuchService"));
    std::u16string message;
    EXPECT_FALSE(absent.Load(message));
    EXPECT_NE(message.find(u"UDisks2"), std::u16string::npos);
}

} // namespace
} // namespace dashcam
