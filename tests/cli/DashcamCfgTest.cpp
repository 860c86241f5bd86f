#include <gtest/gtest.h>

#include <sstream>

#include "cli/DashcamCfg.h"
#include "platform/linux/IniRegistryManager.h"
#include "platform/linux/LinuxProgramHost.h"
#include "platform/linux/LinuxVolumes.h"
#include "platform/linux/NoViewerLink.h"
#include "platform/linux/PosixFileAccess.h"
#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/FakeFormatter.h"
#include "tests/support/FakePcTimeZone.h"
#include "tests/support/FakeTimeZoneSource.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

using test::RecordBytes;

struct DashcamCfgTest : ::testing::Test {
    int Run(std::vector<std::string> arguments) {
        out.str(""), err.str("");
        return DashcamCfg(services, in, out, err).Run(arguments);
    }
    std::string Card() const { return card.Path().string(); }

    test::TempFolder card;
    test::CapturedDebugOutput debug;
    PosixFileAccess files;
    test::FakePcTimeZone zone;
    LinuxVolumes volumes;
    IniRegistryManager registry{"/nonexistent/registry.ini"};
    LinuxProgramHost program;
    NoViewerLink viewer;
    test::FakeTimeZoneSource timeZones;
    test::FakeFormatter formatter;
    PlatformServices services{debug,   files,  zone,      volumes,  registry,
                              program, viewer, timeZones, formatter};
    std::istringstream in;
    std::ostringstream out, err;
};

TEST_F(DashcamCfgTest, ShowAndGetPrintTheNamedFields) {
    auto bytes = RecordBytes(544, {{0, 544}, {64, 2}, {428, 3}});
    std::copy_n("Tokyo Standard Time", 19, bytes.begin() + 380);
    card.Write("setup.cfg", bytes);
    ASSERT_EQ(Run({"show", Card()}), 0) << err.str();
    EXPECT_NE(out.str().find("front_brightness         2"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"Tokyo Standard Time\""), std::string::npos);

    ASSERT_EQ(Run({"get", Card(), "language_index", "front_brightness"}), 0);
    EXPECT_EQ(out.str(), "3\n2\n");
    EXPECT_EQ(Run({"get", Card(), "bogus"}), 2);
}

TEST_F(DashcamCfgTest, SetChangesOnlyTheNamedFieldsAndSaves) {
    auto bytes = RecordBytes(544, {{0, 544}, {64, 0}, {484, 1}}, 0x00);
    bytes[30] = 0xAB; // reserved
    card.Write("setup.cfg", bytes);
    ASSERT_EQ(Run({"set", Card(), "front_brightness=2", "stop_timer=0x30", "time_zone_offset=-300",
                   "product_name=M40"}),
              0)
        << err.str();
    auto expected = bytes;
    expected[64] = 2;
    expected[200] = 48;
    expected[372] = 0xD4, expected[373] = 0xFE, expected[374] = 0xFF, expected[375] = 0xFF;
    expected[8] = 'M', expected[9] = '4', expected[10] = '0';
    expected[440] = 1; // derived from fcws_enable at the save
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

TEST_F(DashcamCfgTest, WrongArgumentsWriteNothing) {
    const auto bytes = RecordBytes(544, {{0, 544}, {64, 1}});
    card.Write("setup.cfg", bytes);
    EXPECT_EQ(Run({"set", Card(), "front_brightness=2", "no_such=1"}), 2);
    EXPECT_NE(err.str().find("unknown field 'no_such'"), std::string::npos);
    EXPECT_EQ(Run({"set", Card(), "front_brightness=two"}), 2);
    EXPECT_NE(err.str().find("not a whole number"), std::string::npos);
    EXPECT_EQ(Run({"set", Card(), "record_size=-1"}), 2);
    EXPECT_EQ(Run({"set", Card(), "front_brightness=99999999999"}), 2);
    EXPECT_EQ(Run({"set", Card(), "product_name=ABCDEFGHIJKLMNOPQ"}), 2);
    EXPECT_EQ(Run({"set", Card(), "ldws=1"}), 2);
    EXPECT_EQ(Run({"set", Card(), "front_brightness"}), 2);
    EXPECT_EQ(card.Read("setup.cfg"), bytes);
    EXPECT_TRUE(debug.lines.empty()); // the card was not even read
}

TEST_F(DashcamCfgTest, MissingCardsAndFilesFail) {
    EXPECT_EQ(Run({"show", Card() + "/absent"}), 1);
    EXPECT_NE(err.str().find("no card folder"), std::string::npos);
    EXPECT_EQ(Run({"set", Card(), "wdr=1"}), 1); // neither setup.cfg nor default.cfg
    EXPECT_FALSE(card.Exists("setup.cfg"));

    card.Write("default.cfg", RecordBytes(544, {{0, 544}, {436, 0}}));
    EXPECT_EQ(Run({"set", Card(), "wdr=1"}), 0);
    EXPECT_NE(err.str().find("using default.cfg"), std::string::npos);
    EXPECT_EQ(card.Read("setup.cfg")[436], 1);
}

// The camera's pending clock request stays as the card holds it, in its own words.
TEST_F(DashcamCfgTest, SetLeavesThePendingClockRequestAsItIs) {
    card.Write("setup.cfg", RecordBytes(544, {{0, 544}}));
    card.WriteText("time.dat", "2023,12,31,23,59,58,-1130");
    ASSERT_EQ(Run({"set", Card(), "wdr=1"}), 0) << err.str();
    EXPECT_EQ(card.Read("setup.cfg")[436], 1);
    const auto clock = card.Read("time.dat");
    EXPECT_EQ(std::string(clock.begin(), clock.end()), "2023,12,31,23,59,58,-1130");
}

TEST_F(DashcamCfgTest, SetPastTheRecordsOwnSizeFailsAndSaysHowToFixIt) {
    card.Write("setup.cfg", {});
    EXPECT_EQ(Run({"set", Card(), "wdr=1"}), 1);
    EXPECT_NE(err.str().find("only the first 0 bytes"), std::string::npos) << err.str();
    EXPECT_TRUE(card.Read("setup.cfg").empty());
    ASSERT_EQ(Run({"set", Card(), "wdr=1", "record_size=544"}), 0) << err.str();
    EXPECT_EQ(card.Read("setup.cfg").size(), 544u);
    EXPECT_EQ(card.Read("setup.cfg")[436], 1);
}

TEST_F(DashcamCfgTest, UsageAndHelp) {
    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_NE(out.str().find("Usage: dashcam-cfg"), std::string::npos);
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"show"}), 2);
    EXPECT_EQ(Run({"frobnicate", Card()}), 2);
}

} // namespace
} // namespace dashcam
