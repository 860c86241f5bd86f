#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "platform/linux/UDisks2Formatter.h"
#include "tests/support/PrivateDiskService.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::PrivateDiskService;

struct UDisks2 : ::testing::Test {
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
    test::TempFolder folder;
};

TEST_F(UDisks2, UnmountsFormatsWithTheAskedTypeAndMountsAgain) {
    if (!PrivateDiskService::ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message));
    const Outcome fat = Format(formatter, u"FAT32", 32768);
    EXPECT_EQ(fat.success, 1);
    EXPECT_GE(fat.structureReports, 4); // unmount, job quarters, format end, mount
    EXPECT_LE(fat.structureReports, 5);
    EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD-new/");
    EXPECT_EQ(
        service.Calls(),
        (std::vector<std::string>{"Unmount", "Format vfat label= mkfs-args=-F 32 -s 64", "Mount"}));
}

TEST_F(UDisks2, ExfatHasNoClusterArguments) {
    if (!PrivateDiskService::ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    EXPECT_EQ(Format(formatter, u"exfat", 0).success, 1);
    EXPECT_EQ(service.Calls(),
              (std::vector<std::string>{"Unmount", "Format exfat label= mkfs-args=", "Mount"}));
}

TEST_F(UDisks2, RefusedCallsAreAFailedFormat) {
    if (!PrivateDiskService::ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    for (const char* failure : {"fail-unmount", "fail-format", "fail-mount"}) {
        std::filesystem::remove(folder.File("calls.log"));
        PrivateDiskService service(folder.File("calls.log"), "/media/me/CARD", failure);
        ASSERT_TRUE(service.ready) << failure;
        UDisks2Formatter formatter(service.connection);
        EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0) << failure;
        const auto log = service.Calls();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), "Unmount");
        EXPECT_EQ(log.size(), std::string(failure) == "fail-unmount" ? 1u : 3u) << failure;
        // A card never taken off is where it was; one not mounted again is nowhere.
        const std::map<std::string, std::string> mountPoint{{"fail-unmount", "/media/me/CARD/"},
                                                            {"fail-format", "/media/me/CARD-new/"},
                                                            {"fail-mount", ""}};
        EXPECT_EQ(formatter.MountPointAfterFormat(), mountPoint.at(failure)) << failure;
    }
}

TEST_F(UDisks2, CardNotKnownToTheServiceOrNoServiceAtAll) {
    if (!PrivateDiskService::ToolsPresent()) {
        GTEST_SKIP() << "dbus-daemon or python3-dbus/python3-gi missing";
    }
    PrivateDiskService service(folder.File("calls.log"), "/media/me/OTHER", {});
    ASSERT_TRUE(service.ready);
    UDisks2Formatter formatter(service.connection);
    EXPECT_EQ(Format(formatter, u"FAT32", 32768).success, 0);
    EXPECT_TRUE(service.Calls().empty());
    EXPECT_EQ(formatter.MountPointAfterFormat(), "/media/me/CARD/");

    UDisks2Formatter absent(service.connection, QStringLiteral("org.example.NoSuchService"));
    std::u16string message;
    EXPECT_FALSE(absent.Load(message));
    EXPECT_NE(message.find(u"UDisks2"), std::u16string::npos);
}

} // namespace
} // namespace dashcam
