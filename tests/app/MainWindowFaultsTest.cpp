#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <filesystem>
#include <sys/stat.h>

#include "app/CSettingDlg.h"
#include "skin/CRButton.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FuseMounter.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::RecordBytes;

std::vector<std::uint8_t> SetupBytes() {
    return RecordBytes(544, {{0, 544}, {4, 0x00010002}, {64, 1}, {224, 0x1234}, {300, 0x5A5A}});
}
std::vector<std::uint8_t> Defaults() {
    return RecordBytes(544, {{0, 544}, {64, 2}, {88, 2}, {224, 7}, {40, 9}});
}

// The main window over a card whose files are damaged, missing or out of reach.
struct MainWindowFaults : ::testing::Test {
    MainWindowFaults() { context.CardPath = card.CardPath(); }
    void StartRunning() {
        ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Running);
        window.show();
    }
    void Click(int id) {
        ASSERT_NE(window.Button(id), nullptr) << id;
        QTest::mouseClick(window.Button(id), Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
    }
    // After a Save that did not land: the window, the record and its change are all still there.
    void ExpectChangeKept(int offset, std::int32_t value) {
        EXPECT_TRUE(window.isVisible());
        ASSERT_TRUE(context.settings.HasRecord());
        EXPECT_EQ(context.settings.Current().GetI32(offset), value);
    }
    const std::vector<std::string>& Told() const { return platform.prompt.messages; }

    test::TempFolder card;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CSettingDlg window{context};
};

TEST_F(MainWindowFaults, MissingSetupIsMadeFromTheDefaultsOnSave) {
    card.Write("default.cfg", Defaults());
    StartRunning();
    EXPECT_TRUE(Told().empty());
    EXPECT_EQ(platform.debug.lines.at(0), "Warning Driscope Setting not found !\n");
    Click(CSettingDlg::kSave);
    EXPECT_FALSE(window.isVisible());
    auto expected = Defaults();
    std::fill_n(expected.begin() + 40, 10, 0); // device-owned: from the all-zero record
    std::fill_n(expected.begin() + 224, 4, 0);
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_EQ(card.Read("default.cfg"), Defaults());
}

// The command line takes the window's route on a card that holds only default.cfg, so the card
// gets the same setup.cfg whichever program made it.
TEST_F(MainWindowFaults, CommandLineMakesTheSameSetupFromTheDefaultsAsSave) {
    card.Write("default.cfg", Defaults());
    StartRunning();
    Click(CSettingDlg::kSave);
    test::TempFolder other;
    other.Write("default.cfg", Defaults());
    const test::ProgramEnd end =
        test::RunProgram(DASHCAM_CFG, {"set", other.Path().string(), "front_brightness=2"});
    EXPECT_TRUE(end.exited && end.status == 0) << end.status;
    ASSERT_TRUE(card.Exists("setup.cfg"));
    EXPECT_EQ(other.Read("setup.cfg"), card.Read("setup.cfg"));
}

// setup.cfg cannot be read (a folder or a pipe in its place) and there is no default.cfg.
TEST_F(MainWindowFaults, UnreadableSetupWithoutDefaultsIsToldAndLeftAsItIs) {
    for (const std::string kind : {"folder", "pipe"}) {
        test::TempFolder other;
        const std::string setup = other.File("setup.cfg");
        if (kind == "folder") {
            fs::create_directory(setup);
        } else {
            ASSERT_EQ(::mkfifo(setup.c_str(), 0600), 0);
        }
        test::TestPlatform own;
        AppContext ownContext{own.services, own.prompt};
        ownContext.CardPath = other.CardPath();
        CSettingDlg dialog(ownContext);
        ASSERT_EQ(dialog.Start(), CSettingDlg::StartResult::Running) << kind;
        dialog.show();
        ASSERT_EQ(own.prompt.messages.size(), 1u) << kind;
        EXPECT_EQ(own.prompt.messages[0], "no default.cfg :" + other.CardPath() + "default.cfg");
        ASSERT_GE(own.debug.lines.size(), 2u);
        EXPECT_EQ(std::vector<std::string>(own.debug.lines.begin(), own.debug.lines.begin() + 2),
                  std::vector<std::string>(2, "Warning Driscope Setting not found !\n"));
        EXPECT_EQ(ownContext.settings.Current().GetI32(64), 0);

        ownContext.settings.Current().SetI32(64, 2);
        QTest::mouseClick(dialog.Button(CSettingDlg::kSave), Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        ASSERT_EQ(own.prompt.messages.size(), 2u) << kind;
        const std::string& told = own.prompt.messages[1];
        EXPECT_EQ(told.rfind("The settings could not be saved to " + setup + ": ", 0), 0u) << told;
        EXPECT_NE(told.find(kind == "folder" ? "Is a directory" : "not a regular file"),
                  std::string::npos)
            << told;
        EXPECT_NE(told.find("Your changes are kept"), std::string::npos) << told;
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ownContext.settings.Current().GetI32(64), 2);
        EXPECT_EQ(fs::status(setup).type(),
                  kind == "folder" ? fs::file_type::directory : fs::file_type::fifo);
        EXPECT_FALSE(other.Exists("default.cfg"));
        dialog.close();
    }
}

// An empty or 1-byte setup.cfg gives a record that says it holds (almost) nothing.
TEST_F(MainWindowFaults, ChangesTheFileHasNoRoomForAreToldNotDropped) {
    for (const std::vector<std::uint8_t>& shape :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{0x01}}) {
        test::TempFolder other;
        other.Write("setup.cfg", shape);
        other.Write("default.cfg", Defaults());
        test::TestPlatform own;
        AppContext ownContext{own.services, own.prompt};
        ownContext.CardPath = other.CardPath();
        CSettingDlg dialog(ownContext);
        ASSERT_EQ(dialog.Start(), CSettingDlg::StartResult::Running);
        dialog.show();
        EXPECT_TRUE(own.prompt.messages.empty());
        const auto save = [&] {
            QTest::mouseClick(dialog.Button(CSettingDlg::kSave), Qt::LeftButton, {},
                              QPoint(10, 10));
            QCoreApplication::processEvents();
        };
        ownContext.settings.Current().SetI32(64, 2);
        save();
        // No: back to the window, with every change kept.
        ASSERT_EQ(own.prompt.questions.size(), 1u);
        const std::string size = std::to_string(shape.size());
        const std::string& asked = own.prompt.questions[0].text;
        EXPECT_EQ(asked.rfind("Only the first " + size + " bytes of the settings were saved to " +
                                  other.CardPath() + "setup.cfg",
                              0),
                  0u)
            << asked;
        EXPECT_NE(asked.find("cannot reach the camera"), std::string::npos) << asked;
        EXPECT_TRUE(own.prompt.messages.empty());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(ownContext.settings.Current().GetI32(64), 2);
        EXPECT_EQ(other.Read("setup.cfg"), shape);

        // The defaults bring a whole record: now the change lands.
        QTest::mouseClick(dialog.Button(CSettingDlg::kInitialize), Qt::LeftButton, {},
                          QPoint(10, 10));
        ownContext.settings.Current().SetI32(64, 0);
        save();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(other.Read("setup.cfg").size(), 544u);
        EXPECT_EQ(other.Read("setup.cfg")[88], 2);
    }
}

TEST_F(MainWindowFaults, ShortRecordCanBeSavedAsFarAsItGoesAndClosed) {
    card.Write("setup.cfg", RecordBytes(100, {{0, 100}, {64, 1}}));
    StartRunning();
    context.settings.Current().SetI32(64, 2);
    context.settings.Current().SetI32(300, 5); // past the record's own size
    platform.prompt.answers = {true};
    Click(CSettingDlg::kSave);
    EXPECT_EQ(platform.prompt.questions.size(), 1u);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(card.Read("setup.cfg"), RecordBytes(100, {{0, 100}, {64, 2}}));
}

// The command line saves while the window is open.
TEST_F(MainWindowFaults, SaveKeepsWhatAnotherProgramSetMeanwhile) {
    card.Write("setup.cfg", SetupBytes());
    StartRunning();
    context.settings.Current().SetI32(64, 2);  // front_brightness, here and there
    context.settings.Current().SetI32(436, 1); // wdr, here only
    ASSERT_EQ(test::RunProgram(DASHCAM_CFG, {"set", card.Path().string(), "rear_brightness=2",
                                             "front_brightness=0"})
                  .status,
              0);
    platform.prompt.answers = {false}; // keep the card's front_brightness
    Click(CSettingDlg::kSave);
    ASSERT_EQ(platform.prompt.questions.size(), 1u);
    const std::string& asked = platform.prompt.questions[0].text;
    EXPECT_NE(asked.find("changed front_brightness on the memory card"), std::string::npos)
        << asked;
    EXPECT_NE(asked.find("It is now 0 there and 2 here."), std::string::npos) << asked;
    EXPECT_FALSE(window.isVisible());
    auto expected = SetupBytes();
    expected[64] = 0;
    expected[88] = 2;
    expected[436] = 1;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

TEST_F(MainWindowFaults, CardPulledOutBeforeSaveKeepsTheChangesUntilItIsBack) {
    card.Write("setup.cfg", SetupBytes());
    card.WriteText("time.dat", "2023,12,31,23,59,58,+0900");
    StartRunning();
    context.settings.Current().SetI32(64, 0);
    fs::remove_all(card.Path());

    Click(CSettingDlg::kSave);
    ASSERT_EQ(Told().size(), 1u);
    EXPECT_NE(Told()[0].find(card.CardPath() + "setup.cfg: No such file or directory"),
              std::string::npos)
        << Told()[0];
    ExpectChangeKept(64, 0);
    EXPECT_FALSE(fs::exists(card.Path())); // no stand-in folder made on the computer

    // The card goes back in: the same Save lands, and the clock file goes.
    card.Write("setup.cfg", SetupBytes());
    card.WriteText("time.dat", "2023,12,31,23,59,58,+0900");
    Click(CSettingDlg::kSave);
    EXPECT_FALSE(window.isVisible());
    auto expected = SetupBytes();
    expected[64] = 0;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_FALSE(card.Exists("time.dat"));
}

TEST_F(MainWindowFaults, ClockFileThatCannotBeRemovedIsToldAfterTheSettingsLanded) {
    card.Write("setup.cfg", SetupBytes());
    fs::create_directories(card.File("time.dat"));
    StartRunning();
    context.settings.Current().SetI32(88, 1);
    Click(CSettingDlg::kSave);
    auto expected = SetupBytes();
    expected[88] = 1;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    ASSERT_EQ(Told().size(), 1u);
    EXPECT_EQ(Told()[0], "The settings were saved, but the clock file " + card.CardPath() +
                             "time.dat could not be removed: Is a directory.\n"
                             "Check the memory card and press Save again.");
    ExpectChangeKept(88, 1);

    fs::remove(card.File("time.dat"));
    Click(CSettingDlg::kSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

// Binary ver.dat and a time.dat of negative, huge and non-numeric pieces.
TEST_F(MainWindowFaults, GarbageSideFilesGiveAnEnglishWindowAndTouchNoSetting) {
    card.Write("setup.cfg", SetupBytes());
    std::string garbage;
    for (int b = 0; b < 1024; ++b) {
        garbage += char(b * 13);
    }
    card.WriteText("lang/ver.dat", garbage);
    card.WriteText("time.dat", "-5,99999999999999999999,abc,,+-3," + std::string(10000, '9'));
    StartRunning();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Dash cam setting"));
    EXPECT_TRUE(Told().empty());
    EXPECT_EQ(context.clockRequest.flag, 0u); // the System page drops a request read at start
    Click(CSettingDlg::kSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(card.Read("setup.cfg"), SetupBytes());
    EXPECT_FALSE(card.Exists("time.dat"));
    EXPECT_EQ(card.Read("lang/ver.dat").size(), 1024u);
}

// A card whose file system became read-only (a worn card, a locked adapter).
TEST(MainWindowOnAReadOnlyCard, SaveIsToldAndTheCardKeepsEveryByte) {
    using test::FuseMounter;
    if (FuseMounter::Shell("command -v fusefat && command -v mkfs.fat && command -v mcopy && "
                           "test -e /dev/fuse") != 0) {
        GTEST_SKIP() << "fusefat, mkfs.fat, mtools or /dev/fuse is missing";
    }
    test::TempFolder work;
    const std::string image = work.File("card.img");
    work.Write("files/setup.cfg", SetupBytes());
    work.Write("files/default.cfg", Defaults());
    work.WriteText("files/time.dat", "2023,12,31,23,59,58,+0900");
    ASSERT_EQ(FuseMounter::Shell("truncate -s 16M '" + image + "' && mkfs.fat '" + image +
                                 "' && MTOOLS_SKIP_CHECK=1 mcopy -i '" + image + "' '" +
                                 work.File("files") + "'/* ::/"),
              0);
    const std::string mountPoint = work.CardPath() + "card/";
    fs::create_directories(mountPoint);
    FuseMounter mounter("fusefat -o ro");
    std::string error;
    ASSERT_FALSE(mounter.Mount(image, mountPoint, error).empty());
    {
        test::TestPlatform platform;
        AppContext context{platform.services, platform.prompt};
        context.CardPath = mountPoint;
        CSettingDlg window(context);
        ASSERT_EQ(window.Start(), CSettingDlg::StartResult::Running);
        window.show();
        EXPECT_EQ(context.settings.Current().GetI32(300), 0x5A5A);
        context.settings.Current().SetI32(64, 2);
        QTest::mouseClick(window.Button(CSettingDlg::kSave), Qt::LeftButton, {}, QPoint(10, 10));
        QCoreApplication::processEvents();
        ASSERT_EQ(platform.prompt.messages.size(), 1u);
        EXPECT_NE(platform.prompt.messages[0].find(mountPoint + "setup.cfg: Read-only file system"),
                  std::string::npos)
            << platform.prompt.messages[0];
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(context.settings.Current().GetI32(64), 2);
        window.close();
    }
    ASSERT_TRUE(mounter.Unmount(mountPoint, error));
    fs::create_directories(work.File("back"));
    ASSERT_EQ(FuseMounter::Shell("MTOOLS_SKIP_CHECK=1 mcopy -i '" + image + "' ::/setup.cfg " +
                                 "::/default.cfg ::/time.dat '" + work.File("back") + "'"),
              0);
    EXPECT_EQ(work.Read("back/setup.cfg"), SetupBytes());
    EXPECT_EQ(work.Read("back/default.cfg"), Defaults());
    EXPECT_EQ(work.Read("back/time.dat").size(), 25u);
}

} // namespace
} // namespace dashcam
