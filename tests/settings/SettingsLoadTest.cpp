#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

class SettingsLoad : public ::testing::Test {
protected:
    SettingsLoad() { store.CreateEmptyRecord(); }
    std::vector<std::string> Warnings() const {
        return {debug.lines.begin() + 2, debug.lines.end()};
    }

    test::TempFolder card;
    test::CapturedDebugOutput debug;
    test::ScriptedPrompt prompt;
    PosixFileAccess files;
    SettingsStore store{debug, files, prompt};
};

TEST_F(SettingsLoad, EmptyFileIsAnAllZeroRecordWithoutWarnings) {
    card.Write("setup.cfg", {});
    store.Current().SetI32(64, 7);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(store.Current().GetI32(64), 0);
    ASSERT_EQ(debug.lines.size(), 2u);
    EXPECT_EQ(debug.lines[0], "\n\nDriscope Setting loading...\n");
    EXPECT_EQ(debug.lines[1], "Read Product:[], Config Ver.:[0.0], CheckSum:[0], Read Size:[0]\n");
}

TEST_F(SettingsLoad, SummaryReportsNameVersionSizeWordAndLength) {
    auto bytes = RecordBytes(544, {{0, 544}, {4, 0x00010002}, {64, 2}});
    const std::string name = "ABCDEFGHIJKLMNOP"; // fills all 16 bytes, no NUL
    std::copy(name.begin(), name.end(), bytes.begin() + 8);
    bytes[24] = 'X';
    card.Write("setup.cfg", bytes);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(
        debug.lines.at(1),
        "Read Product:[ABCDEFGHIJKLMNOP], Config Ver.:[1.2], CheckSum:[544], Read Size:[544]\n");
    EXPECT_TRUE(Warnings().empty());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), store.Current().Bytes().begin()));
}

TEST_F(SettingsLoad, LongAndInconsistentFilesWarnButLoad) {
    auto bytes = RecordBytes(600, {{0, 600}}, 0x5A);
    card.Write("setup.cfg", bytes);
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(Warnings(), std::vector<std::string>{
                              "Warning config version seems to be higher than 1.2 or invalid !\n"});
    EXPECT_EQ(store.Current().Bytes()[543], 0x5A);

    debug.lines.clear();
    card.Write("setup.cfg", RecordBytes(600, {{0, 544}}));
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(Warnings(), (std::vector<std::string>{
                              "Warning config version seems to be higher than 1.2 or invalid !\n",
                              "Warning file length differs  from the checksum !\n"}));

    debug.lines.clear();
    card.Write("setup.cfg", RecordBytes(100, {{0, 544}, {96, 9}}, 0x11));
    store.Current().Bytes()[300] = 0x77;
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(Warnings(),
              std::vector<std::string>{"Warning file length differs  from the checksum !\n"});
    EXPECT_EQ(store.Current().GetI32(96), 9);
    EXPECT_EQ(store.Current().Bytes()[100], 0); // a short file leaves the rest zero
    EXPECT_EQ(store.Current().Bytes()[300], 0);
}

TEST_F(SettingsLoad, UnopenableFileLeavesTheRecordAsItWas) {
    store.Current().SetI32(64, 2);
    EXPECT_FALSE(store.LoadSettingsFile(card.File("setup.cfg")));
    std::filesystem::create_directory(card.File("setup.cfg"));
    EXPECT_FALSE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_FALSE(store.LoadSettingsFile("/dev/zero"));
    // A pipe in its place is refused at once instead of waiting for a writer.
    ASSERT_EQ(::mkfifo(card.File("pipe.cfg").c_str(), 0600), 0);
    EXPECT_FALSE(store.LoadSettingsFile(card.File("pipe.cfg")));
    EXPECT_EQ(store.LastError(), "not a regular file");
    EXPECT_EQ(store.Current().GetI32(64), 2);
    EXPECT_EQ(debug.lines, std::vector<std::string>(4, "Warning Driscope Setting not found !\n"));
}

TEST_F(SettingsLoad, OneByteAndTenMegabyteFilesLoadAndAnUnchangedSaveKeepsTheirBytes) {
    card.Write("setup.cfg", {0x01});
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(debug.lines.at(1),
              "Read Product:[], Config Ver.:[0.0], CheckSum:[1], Read Size:[1]\n");
    EXPECT_TRUE(Warnings().empty());
    EXPECT_EQ(store.Current().Bytes()[0], 0x01);
    EXPECT_TRUE(std::all_of(store.Current().Bytes().begin() + 1, store.Current().Bytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(card.Read("setup.cfg"), std::vector<std::uint8_t>{0x01});

    // 10 MB, sparse, with a record at its start and a marker at its very end.
    debug.lines.clear();
    const auto record = RecordBytes(544, {{0, 544}, {4, 0x00010002}, {64, 1}, {300, 0x12345678}});
    card.Write("setup.cfg", record);
    const std::uintmax_t size = 10u << 20;
    std::filesystem::resize_file(card.File("setup.cfg"), size);
    {
        std::fstream end(card.File("setup.cfg"), std::ios::in | std::ios::out | std::ios::binary);
        end.seekp(std::streamoff(size - 1));
        end.put(char(0xAB));
    }
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(debug.lines.at(1),
              "Read Product:[], Config Ver.:[1.2], CheckSum:[544], Read Size:[10485760]\n");
    EXPECT_EQ(Warnings(), (std::vector<std::string>{
                              "Warning config version seems to be higher than 1.2 or invalid !\n",
                              "Warning file length differs  from the checksum !\n"}));
    EXPECT_TRUE(std::equal(record.begin(), record.end(), store.Current().Bytes().begin()));
    store.Current().SetI32(64, 2);
    ASSERT_TRUE(store.SaveSettingsFile(card.File("setup.cfg")));
    const auto written = card.Read("setup.cfg");
    ASSERT_EQ(written.size(), size);
    EXPECT_EQ(written[64], 2);
    EXPECT_TRUE(std::equal(record.begin() + 68, record.end(), written.begin() + 68));
    EXPECT_TRUE(std::all_of(written.begin() + 544, written.end() - 1,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(written.back(), 0xAB);
}

TEST_F(SettingsLoad, HugeFileIsReadOnlyAsFarAsTheRecordButReportedWhole) {
    // A sparse 4 GiB + 1000 byte file: the summary carries the length's low 32 bits.
    {
        auto bytes = RecordBytes(544, {{64, 1}});
        card.Write("setup.cfg", bytes);
        std::filesystem::resize_file(card.File("setup.cfg"), (1ULL << 32) + 1000);
    }
    ASSERT_TRUE(store.LoadSettingsFile(card.File("setup.cfg")));
    EXPECT_EQ(store.Current().GetI32(64), 1);
    EXPECT_EQ(debug.lines.at(1),
              "Read Product:[], Config Ver.:[0.0], CheckSum:[0], Read Size:[1000]\n");
    EXPECT_EQ(Warnings(), (std::vector<std::string>{
                              "Warning config version seems to be higher than 1.2 or invalid !\n",
                              "Warning file length differs  from the checksum !\n"}));
}

} // namespace
} // namespace dashcam
