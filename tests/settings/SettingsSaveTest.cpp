#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "platform/linux/PosixFileAccess.h"
#include "settings/SettingsStore.h"
#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::RecordBytes;

class SettingsSave : public ::testing::Test {
protected:
    SettingsSave() { store.CreateEmptyRecord(); }
    void LoadRecord(const std::vector<std::uint8_t>& bytes) {
        card.Write("load.cfg", bytes);
        ASSERT_TRUE(store.LoadSettingsFile(card.File("load.cfg")));
        debug.lines.clear();
    }

    test::TempFolder card;
    test::CapturedDebugOutput debug;
    test::ScriptedPrompt prompt;
    PosixFileAccess files;
    SettingsStore store{debug, files, prompt};
};

TEST_F(SettingsSave, WritesOnlyTheSizeWordsShareOfAnExistingFile) {
    const auto old = RecordBytes(544, {}, 0xEE);
    card.Write("setup.cfg", old);
    LoadRecord(RecordBytes(544, {{0, 100}, {96, 0x01010101}}));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    const auto written = card.Read("setup.cfg");
    ASSERT_EQ(written.size(), 544u);
    EXPECT_EQ(written[0], 100);
    EXPECT_EQ(written[99], 0x01);
    EXPECT_EQ(written[50], 0x00);
    EXPECT_EQ(written[100], 0xEE);
    EXPECT_EQ(written[543], 0xEE);
    EXPECT_EQ(debug.lines.at(1),
              "Write Product:[]  Config Ver.:[0.0], CheckSum:[100], Written Size [100] \n");
}

TEST_F(SettingsSave, SizeWordZeroWritesNothingButCreatesAMissingFile) {
    const auto old = RecordBytes(544, {{64, 2}}, 0x33);
    card.Write("setup.cfg", old);
    LoadRecord(RecordBytes(544, {{0, 0}, {64, 1}}));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(card.Read("setup.cfg"), old);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("new.cfg")));
    EXPECT_TRUE(card.Exists("new.cfg"));
    EXPECT_TRUE(card.Read("new.cfg").empty());
    EXPECT_EQ(debug.lines.at(1),
              "Write Product:[]  Config Ver.:[0.0], CheckSum:[0], Written Size [0] \n");
}

TEST_F(SettingsSave, LongFileKeepsItsTailAndLength) {
    auto original = RecordBytes(600, {{0, 600}}, 0x44);
    card.Write("setup.cfg", original);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    store.Current().SetI32(64, 2);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    const auto written = card.Read("setup.cfg");
    ASSERT_EQ(written.size(), 600u);
    EXPECT_EQ(written[64], 2);
    EXPECT_TRUE(std::equal(written.begin() + 544, written.end(), original.begin() + 544));
}

TEST_F(SettingsSave, UnchangedRecordRewritesExactlyTheBytesItRead) {
    auto original = RecordBytes(544, {{0, 544}, {4, 0x00010002}, {484, 1}, {440, 1}});
    for (std::size_t i = 24; i < 40; ++i) {
        original[i] = std::uint8_t(i); // reserved bytes travel unchanged
    }
    card.Write("setup.cfg", original);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(card.Read("setup.cfg"), original);
}

TEST_F(SettingsSave, ValuesPastTheWrittenSizeThatTheFileLacksAreFlagged) {
    // An empty file loads as a record of size 0: nothing of it is written.
    card.Write("setup.cfg", {});
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_FALSE(store.LastSaveLeftChangesOut()); // unchanged: the card says what is shown
    store.Current().SetI32(64, 2);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_TRUE(store.LastSaveLeftChangesOut());
    EXPECT_EQ(store.LastWrittenSize(), 0u);
    EXPECT_TRUE(card.Read("setup.cfg").empty());

    // Size word 100 in a whole file: a change before it lands, one after it does not.
    const auto file = RecordBytes(544, {{0, 100}, {200, 3}});
    card.Write("setup.cfg", file);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    store.Current().SetI32(64, 1);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_FALSE(store.LastSaveLeftChangesOut());
    EXPECT_EQ(store.LastWrittenSize(), 100u);
    store.Current().SetI32(200, 4);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_TRUE(store.LastSaveLeftChangesOut());
    EXPECT_EQ(card.Read("setup.cfg")[200], 3);

    // A failed save leaves nothing to flag.
    std::filesystem::create_directory(card.File("folder.cfg"));
    EXPECT_FALSE(store.SaveSettingsFile(card.File("folder.cfg")));
    EXPECT_FALSE(store.LastSaveLeftChangesOut());
}

TEST_F(SettingsSave, DerivedWarningFlagFollowsTheThreeWarnings) {
    LoadRecord(RecordBytes(544, {{0, 544}, {500, 1}}));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(card.Read("setup.cfg")[440], 1);

    LoadRecord(RecordBytes(544, {{0, 544}, {440, 1}}));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(card.Read("setup.cfg")[440], 0);
    EXPECT_EQ(store.Current().GetI32(440), 0);

    LoadRecord(RecordBytes(544, {{0, 544}, {492, 7}}));
    std::filesystem::create_directory(card.File("blocked.cfg"));
    EXPECT_FALSE(store.SaveSettingsFile(card.File("blocked.cfg")));
    EXPECT_EQ(store.Current().GetI32(440), 1); // recomputed even when the save fails
}

TEST_F(SettingsSave, FailedOpenReportsOneLineAndWritesNothing) {
    LoadRecord(RecordBytes(544, {{0, 544}}));
    std::filesystem::create_directory(card.File("setup.cfg"));
    EXPECT_FALSE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_FALSE(store.SaveSettingsFile(card.File("missing-folder/setup.cfg")));
    ASSERT_EQ(::mkfifo(card.File("pipe.cfg").c_str(), 0600), 0);
    EXPECT_FALSE(store.SaveSettingsFile(card.File("pipe.cfg")));
    EXPECT_EQ(debug.lines, std::vector<std::string>(3, "\n\nDriscope Setting fail to save\n"));
    EXPECT_FALSE(card.Exists("missing-folder"));
    EXPECT_EQ(std::filesystem::status(card.File("pipe.cfg")).type(),
              std::filesystem::file_type::fifo);
    EXPECT_FALSE(store.LastError().empty());
}

TEST_F(SettingsSave, ShortWriteIsAFailedSave) {
    LoadRecord(RecordBytes(544, {{0, 544}, {64, 2}}));
    // A file-size limit below the record makes the write stop part-way, like a full card.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved544 = store.SaveSettingsFile(card.File("setup.cfg"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved544);
    EXPECT_EQ(debug.lines, (std::vector<std::string>{"\n\nDriscope Setting saving...\n",
                                                     "\n\nDriscope Setting fail to save\n"}));
    EXPECT_FALSE(store.LastError().empty());
}

TEST_F(SettingsSave, DiagnosticDumpListsTheFieldsInOrder) {
    LoadRecord(RecordBytes(
        544, {{0, 544}, {4, 0x00010002}, {64, 2},   {100, 1}, {112, 3}, {116, 1}, {424, 30000},
              {436, 1}, {52, 3},         {76, 2},   {120, 4}, {484, 1}, {180, 2}, {176, 5},
              {184, 1}, {196, 3},        {200, 24}, {204, 7}, {208, 6}, {432, 1}, {132, 1},
              {136, 0}, {140, 1},        {144, 1},  {216, 3}, {212, 2}}));
    std::copy_n("M40", 3, store.Current().Bytes().begin() + 8);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    const std::vector<std::string> expected = {
        "\n\nDriscope Setting saving...\n",
        "Write Product:[M40]  Config Ver.:[1.2], CheckSum:[544], Written Size [544] \n",
        "Common " + std::string(65, '-') + "\n",
        "Front Camera Brightness  [0~2] = 2\n",
        "Voice recording Enable [0/1] = 1\n",
        "Voice guguidence Volume [1~6] = 3\n",
        "Safe Helper Voice (Domestic only) Enable [0/1] = 1\n",
        "LCD off  [0/1/2] = 30000\n",
        "WDR  [0/1] = 1\n",
        "Continous  " + std::string(63, '-') + "\n",
        "Front Camera Resolution [1~3] = 3\n",
        "Rear Camera Resolution [1~3] = 2\n",
        "Impact Sensitivity [1~10] = 4\n",
        "LDWS [0/1] = 1\n",
        "Surveillance " + std::string(63, '-') + "\n",
        "Surveillance Enable [0/1] = 2\n",
        "Impact Sensitivity [1~10] = 5\n",
        "Motion Detect  Enabe[0/1] = 1, Sensitivity [1,3,5] = 3\n",
        " Timer setting for stop recording   [1~48] = 24 \n",
        " Voltage setting for stop recording   [11.6(0) ~12.3(7)] = 7, [23.2(0) ~24.6(7)] = 6 \n",
        " Bettary auto setting value   [0/1] = 1\n",
        "Additional " + std::string(65, '-') + "\n",
        "Event Recording [0/1] = 1\n",
        "Motion Detecton [0/1] = 0\n",
        "Event Recording(park) [0/1] = 1\n",
        "Manual Recording [0/1] = 1\n",
        "Security LED [0~3] = 3\n",
        "Memory Partition [1~3] = 2\n",
        std::string(77, '-') + "\n",
    };
    EXPECT_EQ(debug.lines, expected);
}

} // namespace
} // namespace dashcam
