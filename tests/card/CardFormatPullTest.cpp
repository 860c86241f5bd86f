#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "card/CCardFormat.h"
#include "platform/linux/LinuxFormatter.h"
#include "settings/CardPath.h"
#include "tests/support/FixedAnswerPrompt.h"
#include "tests/support/FuseMounter.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::FuseMounter;

// The real FUSE mounter, which can bring the card back at another place or have it pulled out
// the moment it is back.
class PullingMounter : public IVolumeMounter {
public:
    explicit PullingMounter(FuseMounter& fuse) : m_fuse(fuse) {}
    bool Unmount(const std::string& mountPoint, std::string& error) override {
        return m_fuse.Unmount(mountPoint, error);
    }
    std::string Mount(const std::string& device, const std::string& mountPoint,
                      std::string& error) override {
        const std::string mounted =
            m_fuse.Mount(device, mountAt.empty() ? mountPoint : mountAt, error);
        if (pullAfterMount && !mounted.empty()) {
            m_fuse.Unmount(mounted, error);
        }
        return mounted;
    }
    std::string mountAt;
    bool pullAfterMount = false;

private:
    FuseMounter& m_fuse;
};

// A real FAT32 card image (sparse), mounted through FUSE and formatted with mkfs, pulled out at the
// worst moments.
struct CardPull : ::testing::Test {
    void SetUp() override {
        if (FuseMounter::Shell("command -v fusefat && command -v mkfs.fat && command -v mtype && "
                               "test -e /dev/fuse") != 0) {
            GTEST_SKIP() << "fusefat, mkfs.fat or mtools is missing";
        }
        image = work.File("card.img");
        mountPoint = work.CardPath() + "card/";
        fs::create_directories(mountPoint);
        // Large enough for a valid FAT32 with the 32 KiB clusters the format asks for.
        ASSERT_EQ(
            FuseMounter::Shell("truncate -s 3G '" + image + "' && mkfs.fat -F 32 '" + image + "'"),
            0);
        std::string error;
        ASSERT_FALSE(fuse.Mount(image, mountPoint, error).empty());
        setup = test::RecordBytes(544, {{0, 544}, {64, 2}}, 0x11);
        defaults = test::RecordBytes(544, {{0, 544}, {64, 1}});
        test::TempFolder::WriteTo(mountPoint + "setup.cfg", setup);
        test::TempFolder::WriteTo(mountPoint + "default.cfg", defaults);
        fs::create_directories(mountPoint + "lang");
        test::TempFolder::WriteTo(mountPoint + "lang/ver.dat", {'V', '1'});
        fs::create_directories(mountPoint + "DCIM");
        test::TempFolder::WriteTo(mountPoint + "DCIM/0001.avi", std::vector<std::uint8_t>(5000));
        programFolder.WriteText("dashcam-setting", "the program");
        platform.volumes.removable.insert(mountPoint);
        platform.volumes.blockDevice = image;
        platform.volumes.capacity = 3ULL << 30;
        platform.program.appData = work.File("appdata");
        platform.program.executable = programFolder.File("dashcam-setting");
        context.CardPath = mountPoint;
        context.language.LoadLanguage(u"english");
    }
    void TearDown() override {
        FuseMounter::Shell("fusermount -u '" + mountPoint + "'; fusermount -u '" + work.CardPath() +
                           "card2/'");
    }
    std::vector<std::string> Format() {
        LinuxFormatter formatter(platform.volumes, mounter,
                                 [] { return QDBusConnection(QStringLiteral("none")); });
        CCardFormat procedure(context, formatter, ui);
        procedure.finalPause = std::chrono::milliseconds(0);
        procedure.Format();
        return ui.messages;
    }
    // A file of the image, read with mtools while nothing has it mounted.
    std::vector<std::uint8_t> OnImage(const std::string& name) const {
        std::vector<std::uint8_t> bytes;
        FILE* pipe =
            ::popen(("mtype -i '" + image + "' '::" + name + "' 2>/dev/null").c_str(), "r");
        for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;) {
            bytes.push_back(std::uint8_t(c));
        }
        if (pipe != nullptr) {
            ::pclose(pipe);
        }
        return bytes;
    }
    std::vector<fs::path> Backups() const {
        std::vector<fs::path> folders;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(work.File("appdata/Lumavist"), error)) {
            folders.push_back(entry.path());
        }
        return folders;
    }
    // The message for files not put back: the reason, the files, and their backup folder.
    std::string NotPutBack(const std::string& why, const std::vector<std::string>& names) const {
        std::string text = why + "\r\n";
        for (const std::string& name : names) {
            text += mountPoint + name + "\r\n";
        }
        return text + "Their copies are kept in " + Backups().at(0).string() + "/\r\n";
    }

    test::TempFolder work, programFolder;
    std::string image, mountPoint;
    std::vector<std::uint8_t> setup, defaults;
    FuseMounter fuse{"fusefat -o rw+"};
    PullingMounter mounter{fuse};
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    test::FixedAnswerPrompt ui;
    const std::string programLine = "The program could not be copied to the memory card:\r\n";
};

TEST_F(CardPull, PulledRightAfterTheRemountRestoresNothingBesideTheCard) {
    mounter.pullAfterMount = true;
    const auto told = Format();
    EXPECT_TRUE(fs::is_empty(mountPoint)); // the PC's own folder got nothing
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(told, std::vector<std::string>{
                        NotPutBack("The card folder is not on the memory card that was formatted, "
                                   "so these files were not put back on it:",
                                   {"setup.cfg", "default.cfg", "lang/ver.dat"}) +
                        programLine + mountPoint + "dashcam-setting\r\n"});
    EXPECT_EQ(test::TempFolder::ReadFrom((Backups()[0] / "setup.cfg").string()), setup);
    EXPECT_EQ(test::TempFolder::ReadFrom((Backups()[0] / "default.cfg").string()), defaults);
    EXPECT_TRUE(OnImage("setup.cfg").empty()); // the card itself was formatted
}

TEST_F(CardPull, PulledDuringTheRestoreNamesEveryFileNotOnTheCard) {
    platform.files.beforeWrite = [&](const std::string& path) {
        if (path == mountPoint + "default.cfg") {
            std::string error;
            fuse.Unmount(mountPoint, error);
        }
    };
    const auto told = Format();
    EXPECT_TRUE(fs::is_empty(mountPoint));
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(told, std::vector<std::string>{
                        NotPutBack("These files could not be put back on the memory card exactly:",
                                   {"default.cfg", "lang/ver.dat"}) +
                        programLine + mountPoint + "dashcam-setting\r\n"});
    EXPECT_EQ(OnImage("setup.cfg"), setup); // put back before the card went
    EXPECT_EQ(test::TempFolder::ReadFrom((Backups()[0] / "default.cfg").string()), defaults);
}

TEST_F(CardPull, PulledDuringTheBackupIsNotFormattedAndLeavesNoHalfBackup) {
    platform.files.beforeWrite = [&](const std::string& path) {
        if (path.find("format-backup") != std::string::npos && path.ends_with("/default.cfg")) {
            std::string error;
            fuse.Unmount(mountPoint, error);
        }
    };
    EXPECT_EQ(Format(), std::vector<std::string>{"The memory card was not formatted, because the "
                                                 "drive is no longer the one you confirmed.\r\n"});
    EXPECT_TRUE(Backups().empty());
    EXPECT_TRUE(fs::is_empty(mountPoint));
    EXPECT_EQ(OnImage("setup.cfg"), setup); // the card keeps everything
    EXPECT_EQ(OnImage("DCIM/0001.avi").size(), 5000u);
}

TEST_F(CardPull, RelativeCardFolderFollowsTheCardToItsNewMountPoint) {
    const fs::path before = fs::current_path();
    fs::current_path(work.Path());
    context.CardPath = CardPathFromArguments({"card"});
    fs::current_path(before);
    mounter.mountAt = work.CardPath() + "card2/";
    fs::create_directories(mounter.mountAt);
    EXPECT_EQ(Format(), std::vector<std::string>{"Memory card format completed"});
    EXPECT_EQ(context.CardPath, mounter.mountAt);
    EXPECT_TRUE(fs::is_empty(mountPoint));
    EXPECT_EQ(test::TempFolder::ReadFrom(mounter.mountAt + "setup.cfg"), setup);
    EXPECT_EQ(test::TempFolder::ReadFrom(mounter.mountAt + "lang/ver.dat"),
              (std::vector<std::uint8_t>{'V', '1'}));
    EXPECT_FALSE(fs::exists(mounter.mountAt + "DCIM"));
    EXPECT_TRUE(Backups().empty());
}

} // namespace
} // namespace dashcam
