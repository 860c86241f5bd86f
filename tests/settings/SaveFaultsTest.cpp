// Saves through the real command-line program while a preloaded shim fails or kills it at one
// point: after every fault the card holds the old setup.cfg or the new one, byte for byte, and
// the exit status says which.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/mount.h>

#include "platform/linux/PosixFileAccess.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::RecordBytes;
using test::RunProgram;

// A file longer than the record: the save keeps its length and the bytes past the record.
std::vector<std::uint8_t> OldSetup() {
    auto bytes = RecordBytes(560, {{0, 544}, {4, 0x00010002}, {64, 1}, {372, 60}, {500, 0}});
    std::fill(bytes.begin() + 544, bytes.end(), 0xA5);
    return bytes;
}
const std::vector<std::string> kChange{"front_brightness=2", "time_zone_offset=540",
                                       "ldws_enable=1"};

std::vector<std::uint8_t> NewSetup() {
    auto bytes = OldSetup();
    const auto changed = RecordBytes(8, {{0, 2}, {4, 540}});
    std::copy_n(changed.begin(), 4, bytes.begin() + 64);
    std::copy_n(changed.begin() + 4, 4, bytes.begin() + 372);
    bytes[500] = 1;
    bytes[440] = 1; // the derived warning flag follows ldws_enable
    return bytes;
}

struct SaveFaults : ::testing::Test {
    // Runs `set` with the fault; returns how the program ended.
    test::ProgramEnd Set(const std::string& fault) {
        fs::remove(mark);
        std::vector<std::string> arguments{"set", card.Path().string()};
        arguments.insert(arguments.end(), kChange.begin(), kChange.end());
        return RunProgram(DASHCAM_CFG, arguments,
                          {"LD_PRELOAD=" DASHCAM_FAULT_SHIM, "DASHCAM_FAULT=" + fault,
                           "DASHCAM_FAULT_MARK=" + mark, "ASAN_OPTIONS=verify_asan_link_order=0"});
    }
    // Files in the card folder other than the camera's: what a save left behind.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(card.Path())) {
            const std::string name = entry.path().filename().string();
            if (name != "setup.cfg" && name != "default.cfg") {
                names.push_back(name);
            }
        }
        return names;
    }
    void Reset() {
        for (const std::string& name : Leftovers()) {
            fs::remove(card.File(name));
        }
        card.Write("setup.cfg", OldSetup());
    }

    test::TempFolder card;
    test::TempFolder work;
    const std::string mark = work.File("fired");
};

TEST_F(SaveFaults, EveryWriteBoundaryFailedOrKilledLeavesTheOldFileWhole) {
    card.Write("setup.cfg", OldSetup());
    ASSERT_EQ(Set("none:0:fail").status, 0);
    ASSERT_EQ(card.Read("setup.cfg"), NewSetup());

    for (long n = 0; n < long(OldSetup().size()); ++n) {
        for (const std::string action : {"fail", "kill"}) {
            Reset();
            const test::ProgramEnd end = Set("write:" + std::to_string(n) + ":" + action);
            ASSERT_TRUE(fs::exists(mark)) << n << action;
            if (action == "fail") {
                EXPECT_TRUE(end.exited && end.status == 1) << n;
                EXPECT_TRUE(Leftovers().empty()) << n;
            } else {
                EXPECT_FALSE(end.exited) << n;
            }
            ASSERT_EQ(card.Read("setup.cfg"), OldSetup()) << n << action;
        }
    }
}

TEST_F(SaveFaults, FlushCloseAndRenameFaultsLeaveOldOrNewAsTheStatusSays) {
    struct Case {
        const char* fault;
        bool landed; // the new file is on the card
    };
    for (const Case c :
         {Case{"fsync:1:fail", false}, Case{"fsync:1:kill", false}, Case{"close:1:fail", false},
          Case{"close:1:kill", false}, Case{"rename:1:fail", false}, Case{"rename:1:kill", false},
          Case{"renamed:1:kill", true}, Case{"fsync:2:kill", true}, Case{"fsync:2:fail", true}}) {
        Reset();
        const test::ProgramEnd end = Set(c.fault);
        ASSERT_TRUE(fs::exists(mark)) << c.fault;
        EXPECT_EQ(card.Read("setup.cfg"), c.landed ? NewSetup() : OldSetup()) << c.fault;
        if (end.exited) {
            EXPECT_EQ(end.status, c.landed ? 0 : 1) << c.fault;
            EXPECT_TRUE(Leftovers().empty()) << c.fault;
        }
    }
}

TEST_F(SaveFaults, FailedCreateLeavesNoSetupFile) {
    card.Write("default.cfg", OldSetup());
    for (const std::string fault :
         {"write:0:fail", "write:300:fail", "fsync:1:fail", "rename:1:fail", "write:300:kill"}) {
        fs::remove(card.File("setup.cfg"));
        Set(fault);
        EXPECT_FALSE(card.Exists("setup.cfg")) << fault;
    }
}

// A real full card: a small tmpfs filled up before the save has to create setup.cfg.
TEST_F(SaveFaults, FullCardLeavesNoSetupFileAndTheDefaultsWhole) {
    const std::string mountPoint = work.File("card");
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here (needs root)";
    }
    test::TempFolder::WriteTo(mountPoint + "/default.cfg", OldSetup());
    std::error_code error;
    std::vector<std::uint8_t> filler(4096, 0x55);
    for (int i = 0; i < 64; ++i) {
        test::TempFolder::WriteTo(mountPoint + "/filler" + std::to_string(i), filler);
    }
    const test::ProgramEnd end = RunProgram(DASHCAM_CFG, {"set", mountPoint, "front_brightness=2"});
    const bool setupLeft = fs::exists(mountPoint + "/setup.cfg");
    const auto defaults = test::TempFolder::ReadFrom(mountPoint + "/default.cfg");
    ::umount(mountPoint.c_str());
    EXPECT_TRUE(end.exited && end.status == 1);
    EXPECT_FALSE(setupLeft);
    EXPECT_EQ(defaults, OldSetup());
}

TEST_F(SaveFaults, SymlinkedSetupLeavesItsTargetUntouched) {
    work.Write("outside.cfg", OldSetup());
    fs::create_symlink(work.File("outside.cfg"), card.File("setup.cfg"));
    const test::ProgramEnd end = RunProgram(DASHCAM_CFG, {"set", card.Path().string(), "wdr=1"});
    EXPECT_TRUE(end.exited && end.status == 1);
    EXPECT_EQ(work.Read("outside.cfg"), OldSetup());
    EXPECT_TRUE(fs::is_symlink(card.File("setup.cfg")));
    EXPECT_TRUE(Leftovers().empty());

    // The clock file is written the same way.
    work.WriteText("outside.txt", "kept");
    fs::create_symlink(work.File("outside.txt"), card.File("time.dat"));
    const std::vector<std::uint8_t> line(25, '0');
    const WriteOutcome outcome = PosixFileAccess().WriteWhole(card.File("time.dat"), line);
    EXPECT_FALSE(outcome.opened);
    EXPECT_EQ(outcome.error, "a symbolic link, not a regular file");
    EXPECT_EQ(work.Read("outside.txt"), std::vector<std::uint8_t>({'k', 'e', 'p', 't'}));
}

} // namespace
} // namespace dashcam
