#include <filesystem>
#include <fstream>

#include "pages/CEtcDlg.h"
#include "platform/linux/CommandMounter.h"
#include "platform/linux/LinuxFormatter.h"
#include "tests/pages/PageTest.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/FixedAnswerPrompt.h"
#include "tests/support/PrivateDiskService.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::PrivateDiskService;

// The Format button of the Memory-card page with the editor's own formatter: the desktop's
// disk service when it answers, mkfs otherwise.
struct DesktopFormat : test::PageTest<CEtcDlg> {
    DesktopFormat() {
        card = work.CardPath() + "CARD/";
        fs::create_directories(card + "lang");
        fs::create_directories(work.CardPath() + "CARD-new");
        work.WriteText("CARD/setup.cfg", std::string(544, 's'));
        work.WriteText("CARD/default.cfg", std::string(544, 'd'));
        work.WriteText("CARD/lang/ver.dat", " Ver : 1\r\n");
        work.WriteText("program/dashcam-setting", "program");
        platform.volumes.removable.insert(card);
        platform.volumes.driveRoot = card;
        platform.volumes.capacity = 8000ULL << 20;
        platform.program.appData = work.File("appdata");
        platform.program.executable = work.File("program/dashcam-setting");
        context.CardPath = card;
    }

    test::TempFolder work;
    std::string card;
    CommandMounter mounter;
    test::FixedAnswerPrompt ui;
};

// Debian 12's disk service (2.9.4), which would ignore the cluster arguments: the card is
// written through the device the service opens for the editor.
TEST_F(DesktopFormat, FormatButtonGoesThroughTheDiskServiceAndFollowsTheCard) {
    if (!PrivateDiskService::ToolsPresent() || !test::CardImageTools::Present("mkfs.fat minfo")) {
        GTEST_SKIP() << "dbus-daemon, python3-dbus/python3-gi, dosfstools or mtools missing";
    }
    const std::string image = work.File("card.img");
    PrivateDiskService service(work.File("calls.log"), work.CardPath() + "CARD",
                               {QStringLiteral("2.9.4"), image, false, {}});
    ASSERT_TRUE(test::CardImageTools::MakeImage(image, 3072ULL << 20, "mkfs.fat"));
    ASSERT_TRUE(service.ready);
    LinuxFormatter formatter(platform.volumes, mounter, [&] { return service.connection; });
    page.SetCardFormat(formatter, ui);

    Click(1341);
    EXPECT_EQ(formatter.DiskServiceRoute(), UDisks2Formatter::Route::OpenDevice);
    EXPECT_EQ(service.Calls(), (std::vector<std::string>{"Unmount", "OpenDevice rw", "Mount"}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Memory card format completed"});
    EXPECT_EQ(test::CardImageTools::MinfoClusterBytes(image), 32768u);
    // The service mounted the card again elsewhere: the files went there and so does Save.
    const std::string moved = work.CardPath() + "CARD-new/";
    EXPECT_EQ(context.CardPath, moved);
    EXPECT_EQ(test::TempFolder::ReadFrom(moved + "setup.cfg").size(), 544u);
    EXPECT_TRUE(fs::exists(moved + "default.cfg"));
    EXPECT_TRUE(fs::exists(moved + "lang/ver.dat"));
    EXPECT_TRUE(fs::exists(moved + "dashcam-setting"));
}

// The service says the card is read-only (its lock switch): the user is told so before
// anything is erased, and nothing is left behind.
TEST_F(DesktopFormat, WriteProtectedCardIsNotTouched) {
    if (!PrivateDiskService::ToolsPresent() || !test::CardImageTools::Present("mkfs.fat")) {
        GTEST_SKIP() << "dbus-daemon, python3-dbus/python3-gi or dosfstools missing";
    }
    const std::string image = work.File("card.img");
    ASSERT_TRUE(test::CardImageTools::MakeImage(image, 64ULL << 20, "mkfs.fat"));
    PrivateDiskService service(work.File("calls.log"), work.CardPath() + "CARD",
                               {QStringLiteral("2.9.4"), image, true, {}});
    ASSERT_TRUE(service.ready);
    LinuxFormatter formatter(platform.volumes, mounter, [&] { return service.connection; });
    page.SetCardFormat(formatter, ui);

    Click(1341);
    EXPECT_TRUE(service.Calls().empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("Cannot format the memory card.\r\nThe memory card is "
                                   "write-protected",
                                   0),
              0u)
        << ui.messages[0];
    EXPECT_EQ(test::TempFolder::ReadFrom(card + "setup.cfg").size(), 544u);
    EXPECT_TRUE(!fs::exists(work.File("appdata/Lumavist")) ||
                fs::is_empty(work.File("appdata/Lumavist")));
}

// A service that says 2.10 but drops the cluster arguments makes its own small-card FAT16: the
// boot sector gives it away, the user is told, and the camera's files are back on the card.
TEST_F(DesktopFormat, WrongLayoutIsNeverReportedAsCompleted) {
    if (!PrivateDiskService::ToolsPresent() || !test::CardImageTools::Present("mkfs.fat")) {
        GTEST_SKIP() << "dbus-daemon, python3-dbus/python3-gi or dosfstools missing";
    }
    const std::string image = work.File("card.img");
    ASSERT_TRUE(test::CardImageTools::MakeImage(image, 64ULL << 20, "mkfs.fat"));
    PrivateDiskService service(work.File("calls.log"), work.CardPath() + "CARD",
                               {QStringLiteral("2.10.0"), image, false, "ignore-args"});
    ASSERT_TRUE(service.ready);
    LinuxFormatter formatter(platform.volumes, mounter, [&] { return service.connection; });
    page.SetCardFormat(formatter, ui);

    Click(1341);
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{
                  "Cannot format the memory card.\r\nThe memory card was formatted, but not in "
                  "the layout the camera needs. Format it again in the camera.\r\nFAT16, "
                  "2048-byte clusters, 32695 clusters\r\n"});
    EXPECT_TRUE(fs::exists(work.CardPath() + "CARD-new/setup.cfg"));
    EXPECT_TRUE(fs::exists(work.CardPath() + "CARD-new/lang/ver.dat"));
}

TEST_F(DesktopFormat, WithoutTheServiceMkfsIsChosen) {
    LinuxFormatter formatter(platform.volumes, mounter,
                             [] { return QDBusConnection(QStringLiteral("none")); });
    std::u16string message;
    ASSERT_TRUE(formatter.Load(message)) << "mkfs.fat and mkfs.exfat are installed";
    EXPECT_FALSE(formatter.UsesDiskService());
}

} // namespace
} // namespace dashcam
