#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/CapturedDebugOutput.h"
#include "tests/support/FakePcTimeZone.h"
#include "tests/support/FakeTimeZoneSource.h"
#include "text/Utf.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace dashcam {
namespace {

constexpr std::size_t kName = 380;
constexpr std::size_t kOffset = 372;

std::vector<std::u16string> KeyNames(const CTimeZoneInfoManager& manager) {
    std::vector<std::u16string> names;
    for (const CRegTimeZoneInfo& entry : manager.Entries()) {
        names.push_back(entry.KeyName);
    }
    return names;
}

std::string NameField(const SettingsRecord& record) {
    const auto bytes = record.Bytes().subspan(kName, 32);
    return std::string(bytes.begin(), bytes.end());
}

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest() {
        source.AddZone(u"Tokyo Standard Time", -540);
        source.AddZone(u"Korea Standard Time", -540);
        source.AddZone(u"Eastern Standard Time", 300, u"", u"", -60);
        source.AddZone(u"Line Islands Standard Time", -840);
        source.AddZone(u"Dateline Standard Time", 720);
    }
    CTimeZoneInfoManager Build() { return CTimeZoneInfoManager(source, pc, debug); }

    test::FakeTimeZoneSource source;
    test::FakePcTimeZone pc;
    test::CapturedDebugOutput debug;
};

TEST_F(CatalogueTest, LeavesOutTheExcludedPrefixesInAnyLetterCase) {
    source.zones.clear();
    for (const char16_t* key :
         {u"utc", u"UTC+12", u"Utc-02", u"argentina Standard Time", u"MEXICO Standard Time",
          u"Pacific Standard Time (Mexico)", u"middle east Standard Time", u"Middle", u"UT",
          u"Venezuela", u"Turkey Standard Time", u"Tokyo Standard Time", u"KALININGRAD x"}) {
        source.AddZone(key, 0);
    }
    const CTimeZoneInfoManager manager = Build();
    const std::vector<std::u16string> kept = {u"Pacific Standard Time (Mexico)", u"Middle", u"UT",
                                              u"Tokyo Standard Time"};
    EXPECT_EQ(manager.SubKeyNames(), kept);
    std::vector<std::u16string> entries = KeyNames(manager);
    std::sort(entries.begin(), entries.end());
    std::vector<std::u16string> sortedKept = kept;
    std::sort(sortedKept.begin(), sortedKept.end());
    EXPECT_EQ(entries, sortedKept);
}

TEST_F(CatalogueTest, ReadsEachZoneChangingTheSignsAndReportsItInSourceOrder) {
    source.zones.clear();
    source.AddZone(u"Eastern Standard Time", 300, u"(UTC-05:00) New York", u"Eastern Std", -60);
    // Value names in any case; a short "TZI" leaves the missing bytes zero.
    source.zones.push_back({u"Odd",
                            {{u"DISPLAY", test::FakeTimeZoneSource::Text(u"odd")},
                             {u"tzi", {0xC4, 0xFF, 0xFF, 0xFF, 30}},
                             {u"Dlt", test::FakeTimeZoneSource::Text(u"ignored")}}});
    source.AddZone(u"Closed", -60);
    source.unopenableKeys.insert(u"Closed");
    const CTimeZoneInfoManager manager = Build();

    ASSERT_EQ(manager.Entries().size(), 3u);
    const CRegTimeZoneInfo& odd = manager.Entries()[0]; // Bias 60 sorts first
    EXPECT_EQ(odd.KeyName, u"Odd");
    EXPECT_EQ(odd.Display, u"odd");
    EXPECT_EQ(odd.Std, u"");
    EXPECT_EQ(odd.Bias, 60);
    EXPECT_EQ(odd.StandardBias, 30);
    EXPECT_EQ(odd.DaylightBias, 0);

    const CRegTimeZoneInfo& closed = manager.Entries()[1];
    EXPECT_EQ(closed.KeyName, u"Closed");
    EXPECT_EQ(closed.Display, u"");
    EXPECT_EQ(closed.Bias, 0);

    const CRegTimeZoneInfo& eastern = manager.Entries()[2];
    EXPECT_EQ(eastern.Std, u"Eastern Std");
    EXPECT_EQ(eastern.Bias, -300);
    EXPECT_EQ(eastern.DaylightBias, 60);

    const std::vector<std::string> lines = {
        "\t0\t[Eastern Standard Time]\t[(UTC-05:00) New York]\tBias[-300]\tDaylightBias[60]\n",
        "\t1\t[Odd]\t[odd]\tBias[60]\tDaylightBias[0]\n",
        "\t2\t[Closed]\t[]\tBias[0]\tDaylightBias[0]\n"};
    EXPECT_EQ(debug.lines, lines);
}

TEST_F(CatalogueTest, TextValuesAreCutToTheReadBufferAndAnUnreadableValueStaysEmpty) {
    source.zones.clear();
    source.AddZone(u"Long", -60, std::u16string(400, u'd'), std::u16string(300, u's'));
    source.AddZone(u"Hidden", 0);
    const CTimeZoneInfoManager withLongTexts = Build();
    EXPECT_EQ(withLongTexts.Entries()[0].Display, std::u16string(256, u'd'));
    EXPECT_EQ(withLongTexts.Entries()[0].Std, std::u16string(254, u's'));

    source.unreadableValues.insert(u"Display");
    const CTimeZoneInfoManager withoutDisplay = Build();
    EXPECT_EQ(withoutDisplay.Entries()[1].Display, u"");
    EXPECT_EQ(withoutDisplay.Entries()[1].Std, u"Hidden");
}

TEST_F(CatalogueTest, SortsEastToWestWithTheStandardNameBreakingTies) {
    source.AddZone(u"Zeta", -540, u"", u"Alpha Standard Time");
    source.AddZone(u"Lower", -540, u"", u"alpha Standard Time"); // 'a' sorts after 'Z'
    const CTimeZoneInfoManager manager = Build();
    const std::vector<std::u16string> order = {
        u"Line Islands Standard Time", u"Zeta",  u"Korea Standard Time",
        u"Tokyo Standard Time",        u"Lower", u"Eastern Standard Time",
        u"Dateline Standard Time"};
    EXPECT_EQ(KeyNames(manager), order);
}

TEST_F(CatalogueTest, FindsThePcZoneByBiasesAndStandardName) {
    const CTimeZoneInfoManager manager = Build(); // Line, Korea, Tokyo, Eastern, Dateline
    pc.info = {-540, u"Tokyo Standard Time", 0, 0};
    EXPECT_EQ(manager.FindCurrentZone(), 2);
    pc.info = {-540, u"tokyo standard time", 0, 0};
    EXPECT_EQ(manager.FindCurrentZone(), 0);
    pc.info = {-540, u"Tokyo Standard Time", 5, 0};
    EXPECT_EQ(manager.FindCurrentZone(), 0);
    pc.info = {300, u"Eastern Standard Time", 0, -60};
    EXPECT_EQ(manager.FindCurrentZone(), 3);

    EXPECT_EQ(manager.FindStoredZone(u"", 540), 1);
    EXPECT_EQ(manager.FindStoredZone(u"Tokyo Standard Time", 540), 2);
    EXPECT_EQ(manager.FindStoredZone(u"Unknown", 540), 1);
    EXPECT_EQ(manager.FindStoredZone(u"Tokyo Standard Time", -300), 3); // offset decides
    EXPECT_EQ(manager.FindStoredZone(u"Tokyo Standard Time", 60), -1);
    EXPECT_EQ(manager.FindStoredZone(u"", 0), -1);
}

TEST_F(CatalogueTest, AnEmptyRecordGetsThePcZoneAndKeepsTheBytesAfterTheName) {
    CTimeZoneInfoManager manager = Build();
    pc.info = {-540, u"Tokyo Standard Time", 0, 0};
    SettingsRecord record;
    std::fill_n(record.Bytes().begin() + kName + 1, 31, std::uint8_t('x'));

    const ZoneListContent list = manager.LoadFromRecord(record);
    EXPECT_EQ(list.selected, 2);
    EXPECT_EQ(manager.SelectedIndex(), 2);
    ASSERT_EQ(list.texts.size(), 5u);
    EXPECT_EQ(list.texts[2], u"(zone) Tokyo Standard Time");
    EXPECT_EQ(NameField(record), std::string("Tokyo Standard Time\0xxxxxxxxxxxx", 32));
    EXPECT_EQ(record.GetI32(kOffset), 540);
    EXPECT_EQ(debug.lines.back(), "TimeZone Read  [] Bias[0]\n");

    // A PC zone the catalogue lacks gives its first zone.
    pc.info = {0, u"UTC", 0, 0};
    SettingsRecord another;
    EXPECT_EQ(manager.LoadFromRecord(another).selected, 0);
    EXPECT_EQ(another.GetText(kName, 32), "Line Islands Standard Time");
    EXPECT_EQ(another.GetI32(kOffset), 840);
}

TEST_F(CatalogueTest, AStoredZoneIsSelectedWithoutChangingTheRecord) {
    CTimeZoneInfoManager manager = Build();
    pc.info = {300, u"Eastern Standard Time", 0, -60};
    SettingsRecord record;
    record.SetI32(kOffset, 540);
    const auto before = std::vector<std::uint8_t>(record.Bytes().begin(), record.Bytes().end());
    EXPECT_EQ(manager.LoadFromRecord(record).selected, 1); // first zone at UTC+09:00
    record.SetText(kName, 32, "Tokyo Standard Time");
    EXPECT_EQ(manager.LoadFromRecord(record).selected, 2);
    EXPECT_EQ(debug.lines.back(), "TimeZone Read  [Tokyo Standard Time] Bias[540]\n");

    record.SetText(kName, 32, "");
    record.SetI32(kOffset, 123); // no zone has it: the PC's zone is shown
    EXPECT_EQ(manager.LoadFromRecord(record).selected, 3);
    EXPECT_EQ(record.GetI32(kOffset), 123);
    EXPECT_EQ(record.GetText(kName, 32), "");
    record.SetI32(kOffset, 540);
    EXPECT_EQ(std::vector<std::uint8_t>(record.Bytes().begin(), record.Bytes().end()), before);
}

TEST_F(CatalogueTest, PickingAZoneRewritesTheWholeNameField) {
    CTimeZoneInfoManager manager = Build();
    SettingsRecord record;
    std::fill_n(record.Bytes().begin() + kName, 32, std::uint8_t('x'));
    manager.SelectZone(3, record);
    EXPECT_EQ(manager.SelectedIndex(), 3);
    EXPECT_EQ(NameField(record), std::string("Eastern Standard Time") + std::string(11, '\0'));
    EXPECT_EQ(record.GetI32(kOffset), -300);
    EXPECT_EQ(debug.lines.back(), "TimeZone [Eastern Standard Time] Bias[-300]\n");

    const std::size_t lines = debug.lines.size();
    manager.SelectZone(-1, record);
    manager.SelectZone(5, record);
    EXPECT_EQ(manager.SelectedIndex(), 3);
    EXPECT_EQ(debug.lines.size(), lines);
    EXPECT_EQ(record.GetI32(kOffset), -300);
}

TEST_F(CatalogueTest, LongOrForeignKeyNamesStayInsideTheNameField) {
    source.zones.clear();
    source.AddZone(u"A very long zone name of forty characters", -60);
    source.AddZone(u"Zone \u00e9\u4e1c", -120);
    CTimeZoneInfoManager manager = Build();
    SettingsRecord record;
    record.SetI32(kName + 32, 77); // the field after the name
    manager.SelectZone(1, record);
    EXPECT_EQ(NameField(record), std::string("A very long zone name of forty ") + '\0');
    EXPECT_EQ(record.GetI32(kName + 32), 77);
    manager.SelectZone(0, record);
    EXPECT_EQ(record.GetText(kName, 32), "Zone \xe9?");

    source.zones.clear();
    SettingsRecord empty;
    CTimeZoneInfoManager none = Build();
    EXPECT_EQ(none.FindCurrentZone(), 0);
    EXPECT_EQ(none.LoadFromRecord(empty).selected, -1);
    EXPECT_TRUE(std::all_of(empty.Bytes().begin(), empty.Bytes().end(),
                            [](std::uint8_t b) { return b == 0; }));
}

} // namespace
} // namespace dashcam
