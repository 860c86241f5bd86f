// Two programs saving the same card: each keeps the other's values.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

#include "platform/linux/PosixFileAccess.h"
#include "settings/SettingsStore.h"
#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FuseMounter.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

namespace fs = std::filesystem;
using test::RecordBytes;

std::vector<std::uint8_t> CardRecord() {
    return RecordBytes(544, {{0, 544}, {64, 1}, {88, 1}, {436, 0}, {520, 7}});
}

struct SettingsMerge : ::testing::Test {
    SettingsMerge() {
        card.Write("setup.cfg", CardRecord());
        store.CreateEmptyRecord();
        EXPECT_TRUE(store.LoadSettingsFile(path));
        store.RememberCardState();
    }
    // Another program saves one field while this store has the record open.
    void OtherProgramSets(std::size_t offset, std::uint32_t value) {
        auto bytes = card.Read("setup.cfg");
        const auto word = RecordBytes(4, {{0, value}});
        std::copy(word.begin(), word.end(), bytes.begin() + long(offset));
        card.Write("setup.cfg", bytes);
    }
    bool Save() {
        return store.SaveChanges(
            path, [this](const SettingsField& field, const SettingsRecord&, const SettingsRecord&) {
                asked.push_back(std::string(field.name));
                return keepMine;
            });
    }

    test::TempFolder card;
    const std::string path = card.File("setup.cfg");
    test::CapturedDebugOutput debug;
    test::ScriptedPrompt prompt;
    PosixFileAccess files;
    SettingsStore store{debug, files, prompt};
    std::vector<std::string> asked;
    bool keepMine = true;
};

TEST_F(SettingsMerge, WithNobodyElseTheBytesAreThoseOfAPlainSave) {
    store.Current().SetI32(64, 2);
    store.Current().SetI32(520, 9); // a byte without a name, as a defaults load changes it
    ASSERT_TRUE(Save());
    auto expected = CardRecord();
    expected[64] = 2;
    expected[520] = 9;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_TRUE(asked.empty());
}

TEST_F(SettingsMerge, ValuesAnotherProgramSavedMeanwhileStay) {
    store.Current().SetI32(64, 2);
    OtherProgramSets(88, 2);
    OtherProgramSets(436, 1);
    ASSERT_TRUE(Save());
    auto expected = CardRecord();
    expected[64] = 2;
    expected[88] = 2;
    expected[436] = 1;
    EXPECT_EQ(card.Read("setup.cfg"), expected);
    EXPECT_EQ(store.Current().GetI32(88), 2); // the window now shows what the card holds
    EXPECT_TRUE(asked.empty());

    // The next save compares with what this one wrote: the other value is no change of ours.
    OtherProgramSets(88, 0);
    ASSERT_TRUE(Save());
    EXPECT_EQ(card.Read("setup.cfg")[88], 0);
}

TEST_F(SettingsMerge, SameFieldChangedByBothIsAskedAbout) {
    for (const bool mine : {true, false}) {
        card.Write("setup.cfg", CardRecord());
        ASSERT_TRUE(store.LoadSettingsFile(path));
        store.RememberCardState();
        store.Current().SetI32(64, 2);
        OtherProgramSets(64, 0);
        keepMine = mine;
        asked.clear();
        ASSERT_TRUE(Save());
        EXPECT_EQ(asked, std::vector<std::string>{"front_brightness"});
        EXPECT_EQ(card.Read("setup.cfg")[64], mine ? 2 : 0);
    }
    // Both set the same value: nothing to ask.
    store.Current().SetI32(64, 1);
    OtherProgramSets(64, 1);
    asked.clear();
    ASSERT_TRUE(Save());
    EXPECT_TRUE(asked.empty());
}

// The driver may take his time over the question: meanwhile the card is not locked, and a value
// the other program sets again while he reads is asked about again.
TEST_F(SettingsMerge, QuestionHoldsNoLockAndAChangeMeanwhileIsAskedAgain) {
    store.Current().SetI32(64, 2);
    OtherProgramSets(64, 0);
    std::vector<int> cardValues;
    const bool saved = store.SaveChanges(
        path, [&](const SettingsField&, const SettingsRecord&, const SettingsRecord& onCard) {
            const int folder = ::open(card.Path().c_str(), O_RDONLY | O_DIRECTORY);
            EXPECT_EQ(::flock(folder, LOCK_EX | LOCK_NB), 0) << "the card is locked while asking";
            ::close(folder);
            cardValues.push_back(onCard.GetI32(64));
            if (cardValues.size() == 1) {
                OtherProgramSets(64, 3); // not the value this save started from
            }
            return false;
        });
    ASSERT_TRUE(saved);
    EXPECT_EQ(cardValues, (std::vector<int>{0, 3}));
    EXPECT_EQ(card.Read("setup.cfg")[64], 3);
}

// Two `set` loops at once, each checking before every set that its own last value is still
// on the card: a lost update shows as a value the other loop put back. Returns what went wrong,
// one line each.
std::string LostWrites(const std::string& card, const std::string& log) {
    const std::string script = R"sh(cfg=$1; card=$2; log=$3
loop() {
    i=0
    while [ $i -lt 200 ]; do
        v=$("$cfg" get "$card" $1 2>>"$log")
        [ "$v" = $i ] || echo "$1: read '$v' before set $((i+1))" >>"$log"
        i=$((i+1))
        "$cfg" set "$card" $1=$i 2>>"$log" || echo "$1: set $i failed" >>"$log"
    done
}
loop language_index & loop time_zone_offset; wait)sh";
    test::RunProgram("/bin/sh", {"-c", script, "sh", DASHCAM_CFG, card, log});
    const auto bytes = test::TempFolder::ReadFrom(log);
    return std::string(bytes.begin(), bytes.end());
}

TEST(TwoWriters, TwoSetLoopsLoseNothingOnExt4AndOnFat) {
    test::TempFolder work;
    work.Write("card/setup.cfg", CardRecord());
    EXPECT_EQ(LostWrites(work.File("card"), work.File("ext4.log")), "");

    using test::FuseMounter;
    if (FuseMounter::Shell("command -v fusefat && command -v mkfs.fat && command -v mcopy && "
                           "test -e /dev/fuse") != 0) {
        GTEST_SKIP() << "fusefat, mkfs.fat, mtools or /dev/fuse is missing";
    }
    work.Write("card/setup.cfg", CardRecord());
    const std::string image = work.File("card.img");
    ASSERT_EQ(FuseMounter::Shell("truncate -s 16M '" + image + "' && mkfs.fat '" + image +
                                 "' && MTOOLS_SKIP_CHECK=1 mcopy -i '" + image + "' '" +
                                 work.File("card/setup.cfg") + "' ::/"),
              0);
    const std::string mountPoint = work.File("fat");
    fs::create_directories(mountPoint);
    FuseMounter mounter("fusefat -o rw+");
    std::string error;
    ASSERT_FALSE(mounter.Mount(image, mountPoint, error).empty());
    const std::string lost = LostWrites(mountPoint, work.File("fat.log"));
    ASSERT_TRUE(mounter.Unmount(mountPoint, error));
    EXPECT_EQ(lost, "");
}

} // namespace
} // namespace dashcam
