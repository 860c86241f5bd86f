#include <filesystem>

#include "settings/ClockFile.h"
#include "tests/cli/CliTest.h"
#include "tests/support/ChildProcess.h"

namespace dashcam::test {
namespace {

using InfoClock = CliTest;

TEST_F(InfoClock, InfoTellsVerDatAndTheRecordsWords) {
    auto bytes = CameraRecord(1);
    bytes[428] = 1;
    std::copy_n("M40", 3, bytes.begin() + 8);
    const TempFolder& card = NewCard(bytes);
    std::filesystem::create_directory(card.File("lang"));
    card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Pack Name : ENG\r\n Code : en xx fr\r\n"
                                   " Device : M40 2CH\r\n");
    ASSERT_EQ(Run({"info", PathOf(card)}), 0) << err.str();
    EXPECT_EQ(out.str(), "firmware version: 1.02\n"
                         "device: M40 2CH\n"
                         "pack name: ENG\n"
                         "menu languages: en (English), xx, fr (French)\n"
                         "menu language index: 1\n"
                         "record size: 544\n"
                         "config version: 1.2 (0x00010002)\n"
                         "product name: M40\n");
    ASSERT_EQ(Run({"info", "--json", PathOf(card)}), 0);
    EXPECT_NE(out.str().find(R"("languages": [
        {
            "code": "en",
            "name": "English"
        },
        {
            "code": "xx"
        },)"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("\"config_version_word\": 65538,"), std::string::npos);

    std::filesystem::remove(card.File("lang/ver.dat"));
    ASSERT_EQ(Run({"info", PathOf(card)}), 0);
    EXPECT_EQ(out.str(), "menu language index: 1\nrecord size: 544\n"
                         "config version: 1.2 (0x00010002)\nproduct name: M40\n");
    EXPECT_NE(err.str().find("lang/ver.dat cannot be read"), std::string::npos);
    EXPECT_EQ(Run({"info", PathOf(card) + "/absent"}), 1);
}

// The real program in a zone the TZ variable names: the line carries the zone's standard
// offset and reads back to the date given.
TEST_F(InfoClock, ClockLineReadsBackToTheSameDate) {
    const TempFolder& card = NewCard(CameraRecord(1));
    const auto run = [&card](const std::vector<std::string>& arguments, const std::string& zone) {
        std::vector<std::string> all{"clock", PathOf(card)};
        all.insert(all.end(), arguments.begin(), arguments.end());
        return RunProgram(DASHCAM_CFG, all, {"TZ=" + zone}).status;
    };
    ASSERT_EQ(run({"2024-03-05T07:08:09"}, "Asia/Kolkata"), 0);
    const auto line = card.Read("time.dat");
    EXPECT_EQ(std::string(line.begin(), line.end()), "2024,03,05,07,08,09,+0530");
    ClockRequest request;
    ASSERT_TRUE(
        ClockFile(platform.files, platform.zone).ReadClockFile(card.File("time.dat"), request));
    EXPECT_EQ(request.time.wYear, 2024);
    EXPECT_EQ(request.time.wMonth, 3);
    EXPECT_EQ(request.time.wDay, 5);
    EXPECT_EQ(request.time.wHour, 7);
    EXPECT_EQ(request.time.wMinute, 8);
    EXPECT_EQ(request.time.wSecond, 9);

    // Summer time in New York: still the standard offset.
    ASSERT_EQ(run({"2024-07-01T12:00:00"}, "America/New_York"), 0);
    const auto summer = card.Read("time.dat");
    EXPECT_EQ(std::string(summer.begin(), summer.end()), "2024,07,01,12,00,00,-0500");
    ASSERT_EQ(run({"now"}, "UTC"), 0);
    EXPECT_EQ(card.Read("time.dat").size(), 25u);
    ASSERT_EQ(run({"--clear"}, "UTC"), 0);
    EXPECT_FALSE(card.Exists("time.dat"));
    EXPECT_EQ(run({"2024-02-30T07:08:09"}, "UTC"), 2);
    EXPECT_EQ(run({"2024-03-05 07:08:09"}, "UTC"), 2);
    EXPECT_EQ(run({}, "UTC"), 2);
    EXPECT_FALSE(card.Exists("time.dat"));
    EXPECT_EQ(RunProgram(DASHCAM_CFG, {"clock", PathOf(card) + "/absent", "now"}).status, 1);
}

TEST_F(InfoClock, TouchCalibrationGoesToTheCardsRoot) {
    const TempFolder& root = NewCard({});
    std::filesystem::create_directory(root.File("DCIM"));
    const std::string folder = root.File("DCIM");
    platform.volumes.driveRoot = root.CardPath();
    EXPECT_EQ(Run({"touch-calibration", folder}), 1); // not a memory card
    EXPECT_FALSE(root.Exists("set_touch_cal.txt"));

    platform.volumes.removable.insert(folder + "/");
    ASSERT_EQ(Run({"touch-calibration", folder}), 0) << err.str();
    EXPECT_EQ(out.str(), root.CardPath() + "set_touch_cal.txt\n");
    EXPECT_TRUE(root.Exists("set_touch_cal.txt"));
    EXPECT_TRUE(root.Read("set_touch_cal.txt").empty());
    EXPECT_EQ(Run({"touch-calibration"}), 2);
}

TEST_F(InfoClock, VersionHelpAndFieldNames) {
    EXPECT_EQ(RunProgram(DASHCAM_CFG, {"--version"}).status, 0);
    ASSERT_EQ(Run({"fields", "--version"}), 0);
    EXPECT_EQ(out.str().rfind("dashcam-cfg ", 0), 0u);
    ASSERT_EQ(Run({"--help"}), 0);
    for (const char* command :
         {"show CARD", "get CARD", "set CARD...", "export CARD", "apply PROFILE", "diff CARD",
          "info CARD", "clock CARD", "touch-calibration CARD", "fields"}) {
        EXPECT_NE(out.str().find("\n  " + std::string(command)), std::string::npos) << command;
    }
    ASSERT_EQ(Run({"fields"}), 0);
    EXPECT_EQ(out.str().rfind("record_size\nconfig_version\nproduct_name\n", 0), 0u);
    const std::string names = out.str();
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), long(kSettingsFields.size()));
    ASSERT_EQ(Run({"fields", "--json"}), 0);
    EXPECT_NE(out.str().find("\"list\": [\n                6,\n                12,"),
              std::string::npos)
        << out.str();
    EXPECT_EQ(Run({"fields", "extra"}), 2);
}

} // namespace
} // namespace dashcam::test
