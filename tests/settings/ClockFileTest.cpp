#include <gtest/gtest.h>

#include <filesystem>

#include "platform/linux/PosixFileAccess.h"
#include "settings/ClockFile.h"
#include "tests/support/FakePcTimeZone.h"
#include "tests/support/TempFolder.h"

namespace dashcam {
namespace {

SystemTime Time(int y, int mo, int d, int h, int mi, int s) {
    SystemTime t;
    t.wYear = std::uint16_t(y), t.wMonth = std::uint16_t(mo), t.wDay = std::uint16_t(d);
    t.wHour = std::uint16_t(h), t.wMinute = std::uint16_t(mi), t.wSecond = std::uint16_t(s);
    return t;
}

struct ClockFileTest : ::testing::Test {
    std::string Text(const std::string& name) {
        const auto bytes = card.Read(name);
        return std::string(bytes.begin(), bytes.end());
    }
    test::TempFolder card;
    PosixFileAccess files;
    test::FakePcTimeZone zone;
    ClockFile clock{files, zone};
};

TEST_F(ClockFileTest, LineCarriesTheStandardOffsetOfThePcZone) {
    const SystemTime t = Time(2024, 3, 5, 7, 8, 9);
    EXPECT_EQ(ClockFile::FormatLine(t, 540), "2024,03,05,07,08,09,+0900");
    EXPECT_EQ(ClockFile::FormatLine(t, -300), "2024,03,05,07,08,09,-0500");
    EXPECT_EQ(ClockFile::FormatLine(t, 330), "2024,03,05,07,08,09,+0530");
    EXPECT_EQ(ClockFile::FormatLine(t, -210), "2024,03,05,07,08,09,-0330");
    EXPECT_EQ(ClockFile::FormatLine(t, 0), "2024,03,05,07,08,09,-0000");
    EXPECT_EQ(ClockFile::FormatLine(Time(999, 1, 2, 3, 4, 5), 60), " 999,01,02,03,04,05,+0100");

    zone.info.Bias = -60; // UTC+1; a daylight bias in force is not added
    zone.info.DaylightBias = -60;
    ClockRequest request{1, t};
    ASSERT_TRUE(clock.WriteClockFile(card.File("time.dat"), request));
    EXPECT_EQ(Text("time.dat"), "2024,03,05,07,08,09,+0100");
}

TEST_F(ClockFileTest, WritingReplacesALongerFileWhole) {
    card.WriteText("time.dat", std::string(100, 'x'));
    zone.info.Bias = -540;
    ASSERT_TRUE(
        clock.WriteClockFile(card.File("time.dat"), ClockRequest{1, Time(2024, 3, 5, 7, 8, 9)}));
    EXPECT_EQ(Text("time.dat"), "2024,03,05,07,08,09,+0900");
}

TEST_F(ClockFileTest, ClearFlagRemovesTheFileAndFailsOnlyWhenItCannot) {
    card.WriteText("time.dat", "2023,12,31,23,59,58,+0900");
    EXPECT_TRUE(clock.WriteClockFile(card.File("time.dat"), ClockRequest{}));
    EXPECT_FALSE(card.Exists("time.dat"));
    EXPECT_TRUE(clock.WriteClockFile(card.File("time.dat"), ClockRequest{})); // already gone

    std::filesystem::create_directory(card.File("time.dat"));
    EXPECT_FALSE(clock.WriteClockFile(card.File("time.dat"), ClockRequest{}));
    EXPECT_FALSE(
        clock.WriteClockFile(card.File("time.dat"), ClockRequest{1, Time(2024, 1, 1, 0, 0, 0)}));
    EXPECT_FALSE(clock.LastError().empty());
}

TEST_F(ClockFileTest, ReadingTakesTheFirstSixPiecesOfTheFirstLine) {
    ClockRequest request;
    request.time.wMilliseconds = 321;
    card.WriteText("time.dat", "2023,12,31,23,59,58,+0900\r\n2000,1,1,1,1,1\r\n");
    ASSERT_TRUE(clock.ReadClockFile(card.File("time.dat"), request));
    EXPECT_EQ(request.flag, 1u);
    EXPECT_EQ(request.time.wYear, 2023);
    EXPECT_EQ(request.time.wMonth, 12);
    EXPECT_EQ(request.time.wDay, 31);
    EXPECT_EQ(request.time.wHour, 23);
    EXPECT_EQ(request.time.wMinute, 59);
    EXPECT_EQ(request.time.wSecond, 58);
    EXPECT_EQ(request.time.wMilliseconds, 321);

    card.WriteText("time.dat", "2023,12");
    ASSERT_TRUE(clock.ReadClockFile(card.File("time.dat"), request));
    EXPECT_EQ(request.time.wMonth, 12);
    EXPECT_EQ(request.time.wDay, 0);
    EXPECT_EQ(request.time.wSecond, 0);

    card.WriteText("time.dat", " -1 , 12abc, x, +7 ,99999999999,70000");
    ASSERT_TRUE(clock.ReadClockFile(card.File("time.dat"), request));
    EXPECT_EQ(request.time.wYear, 0xFFFF); // -1 cut to 16 bits
    EXPECT_EQ(request.time.wMonth, 12);
    EXPECT_EQ(request.time.wDay, 0);
    EXPECT_EQ(request.time.wHour, 7);
    EXPECT_EQ(request.time.wMinute, 0xFFFF); // saturated at the 32-bit maximum, then cut
    EXPECT_EQ(request.time.wSecond, 70000 & 0xFFFF);
}

TEST_F(ClockFileTest, EmptyOrMissingFileClearsTheFlag) {
    ClockRequest request{1, {}};
    card.WriteText("time.dat", "");
    EXPECT_FALSE(clock.ReadClockFile(card.File("time.dat"), request));
    EXPECT_EQ(request.flag, 0u);
    request.flag = 1;
    EXPECT_FALSE(clock.ReadClockFile(card.File("absent.dat"), request));
    EXPECT_EQ(request.flag, 0u);
}

} // namespace
} // namespace dashcam
