#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>

#include "card/CCardFormat.h"
#include "platform/linux/LinuxFormatter.h"
#include "tests/support/CardImageTools.h"
#include "tests/support/FixedAnswerPrompt.h"
#include "tests/support/FuseMounter.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::CardImageTools;
using test::FuseMounter;
constexpr std::uint64_t kMiB = 1ULL << 20;

// A real format of a card image with the real tools: the card is mounted through FUSE, handed
// to the procedure as a removable volume, formatted with mkfs and mounted again.
struct CardImage : ::testing::Test {
    void PrepareCard() {
        mountPoint = work.CardPath() + "card/";
        fs::create_directories(mountPoint);
        const auto write = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
            fs::create_directories(fs::path(mountPoint + name).parent_path());
            test::TempFolder::WriteTo(mountPoint + name, bytes);
        };
        setup = test::RecordBytes(544, {{0, 544}, {64, 2}, {428, 3}}, 0x11);
        defaults = test::RecordBytes(544, {{0, 544}, {64, 1}});
        verDat = {' ', 'V', 'e', 'r', ' ', ':', ' ', '1', '\r', '\n'};
        write("setup.cfg", setup);
        write("default.cfg", defaults);
        write("lang/ver.dat", verDat);
        write("DCIM/front/0001.avi", std::vector<std::uint8_t>(100000, 7));
        write("notes.txt", {'h', 'i'});
        programFolder.WriteText("dashcam-setting", std::string(5000, 'p'));
    }
    // What the user was told.
    std::vector<std::string> Format(IVolumeMounter& mounter, const std::string& device,
                                    std::uint64_t capacity) {
        test::TestPlatform platform;
        platform.volumes.removable.insert(mountPoint);
        platform.volumes.driveRoot = mountPoint;
        platform.volumes.blockDevice = device;
        platform.volumes.capacity = capacity;
        platform.program.appData = work.File("appdata");
        platform.program.executable = programFolder.File("dashcam-setting");
        AppContext context{platform.services, platform.prompt};
        context.CardPath = mountPoint;
        context.language.LoadLanguage(u"english");
        // No desktop disk service here: the editor's formatter falls back to mkfs.
        LinuxFormatter formatter(platform.volumes, mounter,
                                 [] { return QDBusConnection(QStringLiteral("none")); });
        test::FixedAnswerPrompt ui;
        CCardFormat procedure(context, formatter, ui);
        procedure.finalPause = std::chrono::milliseconds(0);
        procedure.Format();
        EXPECT_FALSE(formatter.UsesDiskService());
        return ui.messages;
    }
    bool MakeFatImage(std::uint64_t bytes = 64 * kMiB) {
        image = work.File("card.img");
        return CardImageTools::MakeImage(image, bytes, "mkfs.fat -F 32");
    }
    // The card as the camera will read it, unmounted: mtools lists exactly the kept files and
    // the program copy, fsck has nothing to say, and the clusters are the size chosen.
    void ExpectTheCameraReadsTheCard(std::uint32_t clusterBytes) {
        int status = -1;
        std::istringstream listed(CardImageTools::Run("mdir -/ -b -i '" + image + "' ::", &status));
        EXPECT_EQ(status, 0) << listed.str();
        std::set<std::string> names;
        for (std::string line; std::getline(listed, line);) {
            names.insert(line);
        }
        EXPECT_EQ(names, (std::set<std::string>{"::/setup.cfg", "::/default.cfg", "::/lang/",
                                                "::/lang/ver.dat", "::/dashcam-setting"}));
        std::string said;
        EXPECT_TRUE(CardImageTools::FsckClean(image, &said)) << said;
        EXPECT_EQ(CardImageTools::MinfoClusterBytes(image), clusterBytes);
    }
    // No backup folder is left behind.
    bool NoBackupLeft() {
        const std::string folder = work.File("appdata/Lumavist");
        return !fs::exists(folder) || fs::is_empty(folder);
    }
    void ExpectOnlyTheKeptFiles() {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(mountPoint)) {
            if (entry.is_regular_file()) {
                names.insert(fs::relative(entry.path(), mountPoint).string());
            }
        }
        EXPECT_EQ(names, (std::set<std::string>{"setup.cfg", "default.cfg", "lang/ver.dat",
                                                "dashcam-setting"}));
        EXPECT_EQ(test::TempFolder::ReadFrom(mountPoint + "setup.cfg"), setup);
        EXPECT_EQ(test::TempFolder::ReadFrom(mountPoint + "default.cfg"), defaults);
        EXPECT_EQ(test::TempFolder::ReadFrom(mountPoint + "lang/ver.dat"), verDat);
        EXPECT_EQ(test::TempFolder::ReadFrom(mountPoint + "dashcam-setting").size(), 5000u);
    }

    test::TempFolder work, programFolder;
    std::string mountPoint, image;
    std::vector<std::uint8_t> setup, defaults, verDat;
    const std::vector<std::string> completed{"Memory card format completed"};
};

// The real mounter, until told to refuse.
class RefusingMounter : public IVolumeMounter {
public:
    explicit RefusingMounter(IVolumeMounter& real) : m_real(real) {}
    bool Unmount(const std::string& mountPoint, std::string& error) override {
        if (refuseUnmount) {
            error = "device is busy";
            return false;
        }
        return m_real.Unmount(mountPoint, error);
    }
    std::string Mount(const std::string& device, const std::string& mountPoint,
                      std::string& error) override {
        if (refuseMount) {
            error = "mount refused";
            return {};
        }
        return m_real.Mount(device, mountPoint, error);
    }
    bool refuseUnmount = false;
    bool refuseMount = false;

private:
    IVolumeMounter& m_real;
};

bool FatToolsPresent() {
    return FuseMounter::Shell("command -v fusefat && command -v mkfs.fat && test -e /dev/fuse") ==
           0;
}

// Each size gets the largest cluster that keeps its FAT32 valid: 32 KiB where the card has room
// for enough of them, smaller below that.
TEST_F(CardImage, Fat32CardsOfEachSizeAreFormattedForRealAndKeepTheCamerasFiles) {
    if (!FatToolsPresent() || !CardImageTools::Present("mdir minfo fsck.fat")) {
        GTEST_SKIP() << "fusefat, dosfstools or mtools is missing";
    }
    for (const auto& [bytes, cluster] : {std::pair{64 * kMiB, 512u}, std::pair{1024 * kMiB, 8192u},
                                         std::pair{3072 * kMiB, 32768u}}) {
        SCOPED_TRACE(std::to_string(bytes / kMiB) + " MiB");
        ASSERT_TRUE(MakeFatImage(bytes));
        fs::create_directories(work.File("card"));
        FuseMounter mounter("fusefat -o rw+");
        std::string error;
        ASSERT_FALSE(mounter.Mount(image, work.CardPath() + "card/", error).empty());
        PrepareCard();
        EXPECT_EQ(Format(mounter, image, bytes), completed);
        ExpectOnlyTheKeptFiles();
        ASSERT_TRUE(mounter.Unmount(mountPoint, error));
        ExpectTheCameraReadsTheCard(cluster);
        EXPECT_TRUE(NoBackupLeft());
        fs::remove(image);
    }
}

// A card whose lock switch is set is mounted read-only: the user is told so, nothing on the
// card changes and no backup folder is left.
TEST_F(CardImage, WriteProtectedCardIsToldAndLeftAsItWas) {
    if (!FatToolsPresent() || !CardImageTools::Present("mdir")) {
        GTEST_SKIP() << "fusefat or mtools is missing";
    }
    ASSERT_TRUE(MakeFatImage());
    fs::create_directories(work.File("card"));
    FuseMounter writable("fusefat -o rw+");
    std::string error;
    ASSERT_FALSE(writable.Mount(image, work.CardPath() + "card/", error).empty());
    PrepareCard();
    ASSERT_TRUE(writable.Unmount(mountPoint, error));
    FuseMounter locked("fusefat -o ro");
    ASSERT_FALSE(locked.Mount(image, mountPoint, error).empty());

    EXPECT_EQ(Format(locked, image, 64 * kMiB),
              std::vector<std::string>{"Cannot format the memory card.\r\nThe memory card is "
                                       "write-protected; nothing on it was changed. Slide its lock "
                                       "switch away from LOCK and try again.\r\n"});
    EXPECT_TRUE(NoBackupLeft());
    EXPECT_TRUE(fs::exists(mountPoint + "DCIM/front/0001.avi"));
    ASSERT_TRUE(locked.Unmount(mountPoint, error));
    EXPECT_EQ(CardImageTools::Run("mdir -/ -b -i '" + image + "' ::/DCIM"),
              "::/DCIM/front/\n::/DCIM/front/0001.avi\n");
}

TEST_F(CardImage, LargeExfatCardIsFormattedForRealAndKeepsTheCamerasFiles) {
    if (FuseMounter::Shell("command -v mount.exfat-fuse && command -v mkfs.exfat && command -v "
                           "losetup && test -e /dev/fuse") != 0) {
        GTEST_SKIP() << "exfat-fuse, mkfs.exfat or losetup is missing";
    }
    const std::string image = work.File("card.img");
    ASSERT_EQ(FuseMounter::Shell("truncate -s 64M '" + image + "' && mkfs.exfat '" + image + "'"),
              0);
    FILE* pipe = ::popen(("losetup -f --show '" + image + "' 2>/dev/null").c_str(), "r");
    char buffer[128] = {};
    const bool attached = pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr;
    if (pipe != nullptr) {
        ::pclose(pipe);
    }
    if (!attached) {
        GTEST_SKIP() << "no loop device can be attached here";
    }
    std::string device(buffer);
    device.erase(device.find_last_not_of("\n") + 1);
    fs::create_directories(work.File("card"));
    FuseMounter mounter("mount.exfat-fuse");
    std::string error;
    EXPECT_FALSE(mounter.Mount(device, work.CardPath() + "card/", error).empty());
    if (error.empty()) {
        PrepareCard();
        EXPECT_EQ(Format(mounter, device, 64000ULL << 20), completed); // above 60000 MiB: exFAT
        ExpectOnlyTheKeptFiles();
        mounter.Unmount(mountPoint, error);
        EXPECT_EQ(FuseMounter::Shell("fsck.exfat -n '" + device + "'"), 0);
    }
    FuseMounter::Shell("losetup -d '" + device + "'");
}

TEST_F(CardImage, RefusedUnmountOrMountLosesNoFile) {
    if (!FatToolsPresent()) {
        GTEST_SKIP() << "fusefat or mkfs.fat is missing";
    }
    ASSERT_TRUE(MakeFatImage());
    fs::create_directories(work.File("card"));
    FuseMounter fuse("fusefat -o rw+");
    RefusingMounter mounter(fuse);
    std::string error;
    ASSERT_FALSE(fuse.Mount(image, work.CardPath() + "card/", error).empty());
    PrepareCard();

    // A card still in use is not formatted, and says so.
    mounter.refuseUnmount = true;
    EXPECT_EQ(Format(mounter, image, 64ULL << 20),
              std::vector<std::string>{"Cannot format the memory card.\r\nIt is currently being "
                                       "used by Rero zud Ezuzaz or another program.\r\n"});
    EXPECT_EQ(test::TempFolder::ReadFrom(mountPoint + "setup.cfg"), setup);
    EXPECT_TRUE(fs::exists(mountPoint + "DCIM/front/0001.avi"));

    // Formatted, but not mounted again: the files wait in their backup, not in the bare folder.
    mounter.refuseUnmount = false;
    mounter.refuseMount = true;
    const auto told = Format(mounter, image, 64ULL << 20);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("not mounted any more"), std::string::npos) << told[0];
    EXPECT_TRUE(fs::is_empty(mountPoint));
    std::vector<fs::path> backups;
    for (const auto& entry : fs::directory_iterator(work.File("appdata/Lumavist"))) {
        backups.push_back(entry.path());
    }
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(told[0].find(backups[0].string()), std::string::npos);
    EXPECT_EQ(test::TempFolder::ReadFrom((backups[0] / "setup.cfg").string()), setup);
    EXPECT_EQ(test::TempFolder::ReadFrom((backups[0] / "default.cfg").string()), defaults);
    EXPECT_EQ(test::TempFolder::ReadFrom((backups[0] / "ver.dat").string()), verDat);
    EXPECT_EQ(FuseMounter::Shell("fsck.fat -n '" + image + "'"), 0);
    FuseMounter::Shell("fusermount -u '" + mountPoint + "'"); // in case it is still mounted
}

} // namespace
} // namespace dashcam
