#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "card/CCardFormat.h"
#include "tests/support/FakeFormatter.h"
#include "tests/support/FakeSysfs.h"
#include "tests/support/FixedAnswerPrompt.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;

struct CardFormat : ::testing::Test {
    CardFormat() {
        card.Write("setup.cfg", test::RecordBytes(544, {{0, 544}, {64, 2}}));
        card.Write("default.cfg", test::RecordBytes(544, {{0, 544}, {64, 1}}));
        card.WriteText("lang/ver.dat", " Ver : 1.02\r\n");
        card.WriteText("DCIM/video.avi", "a drive");
        context.CardPath = card.CardPath();
        context.language.LoadLanguage(u"english");
        platform.volumes.removable.insert(card.CardPath());
        platform.volumes.driveRoot = card.CardPath();
        platform.volumes.capacity = 32ULL << 30;
        platform.volumes.identity =
            VolumeIdentity{"/dev/sdz1", 0x811, 32ULL << 30, 0, "CAMCARD", "1111-2222"};
        formatter.erased = [this] { // a fresh file system gets a new serial number
            platform.volumes.identity->serial = std::to_string(++formats);
        };
        platform.program.appData = appData.Path().string();
        platform.program.executable = programFolder.File("dashcam-setting");
        programFolder.WriteText("dashcam-setting", "the program");
        procedure.finalPause = std::chrono::milliseconds(0);
    }
    std::set<std::string> CardFiles() const {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(card.Path())) {
            if (entry.is_regular_file()) {
                names.insert(fs::relative(entry.path(), card.Path()).string());
            }
        }
        return names;
    }

    test::TempFolder card, appData, programFolder;
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    test::FakeFormatter formatter;
    int formats = 0;
    test::FixedAnswerPrompt ui;
    CCardFormat procedure{context, formatter, ui};
};

TEST_F(CardFormat, FormatsAndPutsTheCamerasFilesBack) {
    const auto setup = card.Read("setup.cfg");
    procedure.OnFormatButton();
    ASSERT_EQ(formatter.requests.size(), 1u);
    const FormatRequest& request = formatter.requests[0];
    EXPECT_EQ(request.driveRoot, card.CardPath());
    EXPECT_EQ(request.fileSystem, u"FAT32");
    EXPECT_EQ(request.clusterSize, 32768u);
    EXPECT_EQ(request.mediaType, 11);
    EXPECT_TRUE(request.quick);
    EXPECT_TRUE(request.label.empty());
    EXPECT_EQ(CardFiles(), (std::set<std::string>{"setup.cfg", "default.cfg", "lang/ver.dat",
                                                  "dashcam-setting"}));
    EXPECT_EQ(card.Read("setup.cfg"), setup);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Memory card format completed"});
    EXPECT_EQ(ui.questions,
              std::vector<std::string>{
                  "Caution: All data will be deleted, if you format the memory card.\r\n"
                  "Select (Yes) to format or select (No) to cancel.\r\n"
                  "Memory card to be erased: CAMCARD, 32.0 GB, /dev/sdz1\r\n"});
    EXPECT_EQ(ui.progressText, "Formatting memory card.\r\nPlease wait.\r\n");
    EXPECT_EQ(ui.progressSize, std::make_pair(400, 150));
    EXPECT_EQ(ui.progressValues, (std::vector<int>{20, 40, 60, 80, 100, 100}));
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist")); // the verified backup is gone
}

TEST_F(CardFormat, SixthProgressReportStaysAtTheTop) {
    formatter.structureReports = 6;
    procedure.Format();
    EXPECT_EQ(ui.progressValues, (std::vector<int>{20, 40, 60, 80, 100, 100, 100}));
}

TEST_F(CardFormat, NoAnswerOrAFixedDiskChangesNothing) {
    ui.answer = false;
    procedure.OnFormatButton();
    ui.answer = true;
    platform.volumes.removable.clear();
    procedure.OnFormatButton();
    EXPECT_TRUE(formatter.requests.empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(card.Exists("DCIM/video.avi"));
}

TEST_F(CardFormat, LargeCardThresholdPicksExfatAndTellsTheViewer) {
    platform.viewer.windows.push_back(u"Lumavist");
    platform.volumes.capacity = 60000ULL * 1048576;
    procedure.Format();
    platform.volumes.capacity = 60001ULL * 1048576;
    card.WriteText("setup.cfg", "x");
    procedure.Format();
    ASSERT_EQ(formatter.requests.size(), 2u);
    EXPECT_EQ(formatter.requests[0].fileSystem, u"FAT32");
    EXPECT_EQ(formatter.requests[1].fileSystem, u"exfat");
    EXPECT_EQ(formatter.requests[1].clusterSize, 0u);
    EXPECT_EQ(platform.viewer.posted,
              (std::vector<std::pair<std::u16string, std::uint32_t>>{{u"Lumavist", 0x219}}));
}

TEST_F(CardFormat, ViewerHandshakeIsBounded) {
    platform.viewer.windows.push_back(u"BREVANTIS REZORED PC VIEWER");
    procedure.OnFormatButton();
    EXPECT_EQ(platform.viewer.posted, (std::vector<std::pair<std::u16string, std::uint32_t>>{
                                          {u"BREVANTIS REZORED PC VIEWER", 1123}}));
    EXPECT_EQ(platform.viewer.waited,
              (std::vector<std::pair<std::u16string, int>>{{u"EVENT_FILE_PARSING", 30000}}));
}

TEST_F(CardFormat, FailedOrImpossibleFormatRestoresAndSaysSo) {
    const std::string failure = "Cannot format the memory card.\r\nIt is currently being used by "
                                "Rero zud Ezuzaz or another program.\r\n";
    formatter.succeed = false;
    procedure.Format();
    EXPECT_EQ(ui.messages, std::vector<std::string>{failure});
    EXPECT_EQ(ui.progressValues.back(), 0);
    EXPECT_TRUE(card.Exists("setup.cfg"));

    ui.messages.clear();
    formatter.available = false;
    procedure.Format();
    // The missing formatter is the reason, not a program holding the card.
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Cannot format the memory card.\r\nThis computer has no program to "
                               "format the memory card; nothing on it was changed. Install the "
                               "packages udisks2, dosfstools and exfatprogs, and try again.\r\n"
                               "no formatter here\r\n"});
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist"));
    EXPECT_TRUE(card.Exists("setup.cfg") && card.Exists("default.cfg") &&
                card.Exists("lang/ver.dat"));
}

TEST_F(CardFormat, CardThatCannotBeTakenOffIsLeftWhole) {
    const auto setup = card.Read("setup.cfg");
    formatter.unmounts = false;
    procedure.Format();
    EXPECT_EQ(ui.messages,
              std::vector<std::string>{"Cannot format the memory card.\r\nIt is currently being "
                                       "used by Rero zud Ezuzaz or another program.\r\n"});
    EXPECT_EQ(card.Read("setup.cfg"), setup);
    EXPECT_TRUE(card.Exists("DCIM/video.avi"));
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist"));
}

TEST_F(CardFormat, CardThatDoesNotComeBackKeepsItsBackups) {
    const auto setup = card.Read("setup.cfg");
    const auto defaults = card.Read("default.cfg");
    formatter.mountsAgain = false;
    procedure.Format();
    // Nothing is put into the computer's own folder under the mount point.
    EXPECT_TRUE(fs::is_empty(card.Path()));
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0];
    EXPECT_EQ(text.rfind("Cannot format the memory card.\r\nThe memory card is not mounted", 0), 0u)
        << text;
    EXPECT_NE(text.find(card.CardPath() + "setup.cfg\r\n"), std::string::npos);
    EXPECT_NE(text.find(card.CardPath() + "lang/ver.dat\r\n"), std::string::npos);
    const std::size_t at = text.find("Their copies are kept in ");
    ASSERT_NE(at, std::string::npos);
    std::string folder = text.substr(at + 25);
    folder.erase(folder.find("\r\n"));
    EXPECT_EQ(test::TempFolder::ReadFrom(folder + "setup.cfg"), setup);
    EXPECT_EQ(test::TempFolder::ReadFrom(folder + "default.cfg"), defaults);
    EXPECT_TRUE(fs::exists(folder + "ver.dat"));
}

TEST_F(CardFormat, StaleBackupsAreNeverRestored) {
    procedure.Format(); // leaves nothing behind
    fs::remove(card.File("setup.cfg"));
    // A backup of another card in the old shared place must not reach this card.
    programFolder.Write("setup.cfg", test::RecordBytes(544, {{64, 0}}));
    fs::create_directories(appData.Path() / "Lumavist");
    std::filesystem::copy_file(programFolder.File("setup.cfg"),
                               appData.Path() / "Lumavist" / "setup.cfg");
    procedure.Format();
    EXPECT_FALSE(card.Exists("setup.cfg"));
    EXPECT_TRUE(card.Exists("default.cfg"));
}

TEST_F(CardFormat, FailedBackupStopsTheFormat) {
    platform.files.failWritesTo = "default.cfg";
    procedure.Format();
    EXPECT_TRUE(formatter.requests.empty());
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist")); // no half backup is left
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find(card.CardPath() + "default.cfg"), std::string::npos);
    EXPECT_TRUE(card.Exists("DCIM/video.avi"));
}

TEST_F(CardFormat, FailedRestoreIsReportedInsteadOfSuccess) {
    platform.files.failWritesTo = card.CardPath() + "lang/ver.dat";
    procedure.Format();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("could not be put back"), std::string::npos);
    EXPECT_NE(ui.messages[0].find("lang/ver.dat"), std::string::npos);
    EXPECT_EQ(ui.messages[0].find("completed"), std::string::npos);
}

TEST_F(CardFormat, CardFolderFollowsTheCardToItsNewMountPoint) {
    test::TempFolder newMount;
    fs::create_directories(card.Path() / "sub");
    card.Write("sub/setup.cfg", test::RecordBytes(544, {{0, 544}}));
    context.CardPath = card.CardPath() + "sub/";
    platform.volumes.removable.insert(context.CardPath);
    formatter.mountAfter = newMount.CardPath();
    procedure.Format();
    EXPECT_EQ(context.CardPath, newMount.CardPath() + "sub/");
    EXPECT_TRUE(newMount.Exists("sub/setup.cfg"));
    EXPECT_TRUE(newMount.Exists("sub/dashcam-setting"));
}

TEST_F(CardFormat, VolumeThatChangedSinceTheQuestionIsNotFormatted) {
    // Another disk behind the card's folder by the time the worker starts.
    formatter.loaded = [this] { platform.volumes.identity->device = "/dev/sdy1"; };
    procedure.OnFormatButton();
    EXPECT_TRUE(formatter.requests.empty());
    EXPECT_EQ(ui.messages, std::vector<std::string>{"The memory card was not formatted, because "
                                                    "the drive is no longer the one you "
                                                    "confirmed.\r\n"});
    EXPECT_TRUE(card.Exists("DCIM/video.avi"));
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist"));
}

// Special files in place of setup.cfg are left out and named, never read through: no hang on a
// pipe, no endless copy of a device, no disk filled by a huge sparse file.
TEST_F(CardFormat, SpecialFilesAreLeftOutAndNamed) {
    const std::vector<std::function<void(const std::string&)>> specials{
        [](const std::string& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); },
        [](const std::string& path) { fs::create_symlink("/dev/zero", path); },
        [](const std::string& path) {
            test::TempFolder::WriteTo(path, {1});
            fs::resize_file(path, 1ULL << 30); // sparse
        }};
    for (const auto& make : specials) {
        ui.messages.clear();
        fs::remove(card.File("setup.cfg"));
        make(card.File("setup.cfg"));
        procedure.OnFormatButton();
        EXPECT_EQ(ui.messages, std::vector<std::string>{"These files were left out, because they "
                                                        "are not plain files of the camera's "
                                                        "size:\r\n" +
                                                        card.CardPath() + "setup.cfg\r\n"});
        EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist")); // nothing copied or left
        EXPECT_TRUE(card.Exists("default.cfg") && card.Exists("dashcam-setting"));
    }
    EXPECT_EQ(formatter.requests.size(), 3u);
}

// A program copy on the card that is a link (an untouched card whose file system cannot be
// told apart) is never written through.
TEST_F(CardFormat, LinkedProgramCopyIsNotWrittenThrough) {
    test::TempFolder outside;
    outside.WriteText("victim", "keep me");
    fs::create_symlink(outside.File("victim"), card.File("dashcam-setting"));
    platform.volumes.identity->serial.clear();
    formatter.unmounts = false;
    procedure.Format();
    EXPECT_EQ(outside.Read("victim"),
              (std::vector<std::uint8_t>{'k', 'e', 'e', 'p', ' ', 'm', 'e'}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Cannot format the memory card.\r\nThe program could not be copied "
                              "to the memory card:\r\n" +
                                  card.CardPath() + "dashcam-setting\r\n");
    EXPECT_TRUE(fs::is_empty(appData.Path() / "Lumavist"));
}

// Each kind of disk behind the card folder, as the kernel's sysfs shows it: only memory cards
// reach the formatter.
TEST_F(CardFormat, OnlyMemoryCardsReachTheFormatter) {
    struct stat st {};
    ASSERT_EQ(::stat(card.Path().c_str(), &st), 0);
    const std::string number =
        std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
    struct Disk {
        std::string what, port, bus, removable, type;
        bool holdsRoot, isCard;
    };
    const std::vector<Disk> disks{
        {"USB hard disk", "usb2/2-1", "usb", "0", "", false, false},
        {"NVMe SSD in a USB case", "usb3/3-2", "usb", "0", "", false, false},
        {"FireWire disk", "0000:05:00.0/fw1/fw1.0", "firewire", "0", "", false, false},
        {"SD card holding a root file system", "mmc0/mmc0:aaaa", "mmc", "0", "SD", true, false},
        {"card in a USB card reader", "usb2/2-3", "usb", "1", "", false, true},
        {"SD card in a laptop slot", "mmc0/mmc0:bbbb", "mmc", "0", "SD", false, true},
        {"USB flash drive", "usb2/2-4", "usb", "1", "", false, true}};
    for (const Disk& disk : disks) {
        test::FakeSysfs sys;
        const std::string port = "pci0000:00/0000:00:14.0/" + disk.port;
        const std::string path = port + "/host0/block/sdx";
        sys.AddDisk(path, "8:240", disk.removable, {{disk.bus, port}});
        if (!disk.type.empty()) {
            sys.Write(port + "/type", disk.type + "\n");
        }
        sys.AddPartition(path, "sdx1", number);
        if (disk.holdsRoot) {
            sys.AddPartition(path, "sdx2", "8:242");
            sys.Mount("8:242", "/", "/dev/sdx2");
        }
        LinuxVolumes guard(sys.SysRoot(), sys.ProcRoot());
        platform.volumes.sysfs = &guard;
        formatter.requests.clear();
        procedure.OnFormatButton();
        EXPECT_EQ(formatter.requests.size(), disk.isCard ? 1u : 0u) << disk.what;
        EXPECT_EQ(card.Exists("DCIM/video.avi"), !disk.isCard) << disk.what;
        card.WriteText("DCIM/video.avi", "a drive");
    }
    platform.volumes.sysfs = nullptr;
}

// Every way a format can fail, told in the driver's language: the message opens with the Korean
// pack's own sentences; only paths and the system's details stay as they come.
struct KoreanFormatFailure {
    const char* what;
    std::function<void(CardFormat&)> arrange;
    bool cannotFormat; // opens with "Cannot format the memory card."
    const char16_t* key;
};

void PrintTo(const KoreanFormatFailure& failure, std::ostream* out) {
    *out << failure.what;
}

struct KoreanFormatMessages : CardFormat, ::testing::WithParamInterface<KoreanFormatFailure> {};

TEST_P(KoreanFormatMessages, OpenWithThePacksText) {
    ASSERT_TRUE(context.language.LoadLanguage(u"korean"));
    GetParam().arrange(*this);
    procedure.OnFormatButton();
    ASSERT_FALSE(ui.messages.empty());
    std::u16string expected =
        GetParam().key == nullptr ? u"" : context.language.GetText(GetParam().key);
    if (GetParam().cannotFormat) {
        expected = context.language.GetText(u"IDS_STRING181") + u"\r\n" + expected;
    }
    EXPECT_TRUE(ui.messages.back().starts_with(Utf8FromUtf16(expected))) << ui.messages.back();
    EXPECT_EQ(
        ui.questions.at(0).rfind(Utf8FromUtf16(context.language.GetText(u"IDS_STRING163")), 0), 0u);
}

void FaultOf(CardFormat& t, FormatFault fault) {
    t.formatter.unmounts = false;
    t.formatter.fault = fault;
}

INSTANTIATE_TEST_SUITE_P(
    EveryFailure, KoreanFormatMessages,
    ::testing::Values(
        KoreanFormatFailure{"no formatter", [](CardFormat& t) { t.formatter.available = false; },
                            true, u"IDS_STRING424"},
        KoreanFormatFailure{"in use", [](CardFormat& t) { FaultOf(t, FormatFault::Failed); }, true,
                            u"IDS_STRING1810"},
        KoreanFormatFailure{"write-protected",
                            [](CardFormat& t) { FaultOf(t, FormatFault::WriteProtected); }, true,
                            u"IDS_STRING420"},
        KoreanFormatFailure{"too small", [](CardFormat& t) { FaultOf(t, FormatFault::TooSmall); },
                            true, u"IDS_STRING421"},
        KoreanFormatFailure{"not authorised",
                            [](CardFormat& t) { FaultOf(t, FormatFault::NotAuthorised); }, true,
                            u"IDS_STRING422"},
        KoreanFormatFailure{"wrong layout",
                            [](CardFormat& t) {
                                FaultOf(t, FormatFault::WrongLayout);
                                t.formatter.layout = "FAT16, 2048-byte clusters, 32695 clusters";
                            },
                            true, u"IDS_STRING423"},
        KoreanFormatFailure{"backup failed",
                            [](CardFormat& t) { t.platform.files.failWritesTo = "default.cfg"; },
                            false, u"IDS_STRING407"},
        KoreanFormatFailure{"no backup folder",
                            [](CardFormat& t) {
                                t.platform.program.appData =
                                    t.programFolder.File("dashcam-setting");
                            },
                            false, u"IDS_STRING408"},
        KoreanFormatFailure{"another drive",
                            [](CardFormat& t) {
                                t.formatter.loaded = [&t] {
                                    t.platform.volumes.identity->device = "/dev/sdy1";
                                };
                            },
                            false, u"IDS_STRING409"},
        KoreanFormatFailure{"not mounted again",
                            [](CardFormat& t) { t.formatter.mountsAgain = false; }, true,
                            u"IDS_STRING402"},
        KoreanFormatFailure{"not put back",
                            [](CardFormat& t) {
                                t.platform.files.failWritesTo = t.card.CardPath() + "lang/ver.dat";
                            },
                            false, u"IDS_STRING403"},
        KoreanFormatFailure{"folder on another drive",
                            [](CardFormat& t) {
                                t.formatter.erased = [&t] {
                                    t.platform.volumes.identity->device = "/dev/sdy1";
                                };
                            },
                            false, u"IDS_STRING405"},
        KoreanFormatFailure{"left out",
                            [](CardFormat& t) {
                                fs::remove(t.card.File("setup.cfg"));
                                ASSERT_EQ(::mkfifo(t.card.File("setup.cfg").c_str(), 0644), 0);
                            },
                            false, u"IDS_STRING406"},
        KoreanFormatFailure{"program copy",
                            [](CardFormat& t) {
                                fs::create_directories(t.card.File("dashcam-setting"));
                                t.platform.volumes.identity->serial.clear();
                                t.formatter.unmounts = false;
                            },
                            true, u"IDS_STRING410"}),
    [](const auto& info) {
        std::string name = info.param.what;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

} // namespace
} // namespace dashcam
