#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include <QTimeZone>

#include "platform/NullDebugOutput.h"
#include "platform/linux/QtPcTimeZone.h"
#include "platform/linux/QtTimeZoneSource.h"
#include "tests/support/ScopedEnv.h"
#include "text/AsciiCase.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace dashcam {
namespace {

// TZ for one test.
struct ScopedTz : test::ScopedEnv {
    explicit ScopedTz(const char* zone) : ScopedEnv("TZ", zone) {}
};

class SystemCatalogueTest : public ::testing::Test {
protected:
    const CRegTimeZoneInfo& Entry(std::u16string_view key) {
        const auto& entries = manager.Entries();
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [key](const auto& entry) { return entry.KeyName == key; });
        EXPECT_NE(found, entries.end()) << "missing zone";
        return found == entries.end() ? entries.front() : *found;
    }

    QtTimeZoneSource source;
    QtPcTimeZone pc;
    NullDebugOutput debug;
    CTimeZoneInfoManager manager{source, pc, debug};
};

TEST_F(SystemCatalogueTest, ListsWindowsZonesEastToWestWithoutTheExcludedOnes) {
    const auto& entries = manager.Entries();
    ASSERT_GT(entries.size(), 80u);
    for (const CRegTimeZoneInfo& entry : entries) {
        for (std::u16string_view prefix : {u"UTC", u"Argentina", u"Mexico", u"Morocco",
                                           u"Venezuela", u"Middle East", u"Kamchatka"}) {
            EXPECT_FALSE(entry.KeyName.size() >= prefix.size() &&
                         EqualsIgnoringAsciiCase(entry.KeyName.substr(0, prefix.size()), prefix))
                << std::string(entry.KeyName.begin(), entry.KeyName.end());
        }
        EXPECT_EQ(entry.Std, entry.KeyName);
        EXPECT_LT(entry.Display.size(), 256u);
    }
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
        return a.Bias != b.Bias ? a.Bias > b.Bias : a.Std < b.Std;
    }));

    const CRegTimeZoneInfo& tokyo = Entry(u"Tokyo Standard Time");
    EXPECT_EQ(tokyo.Bias, 540);
    EXPECT_EQ(tokyo.DaylightBias, 0);
    EXPECT_EQ(tokyo.Display.substr(0, 12), u"(UTC+09:00) ");
    EXPECT_NE(tokyo.Display.find(u"Tokyo"), std::u16string::npos);

    const CRegTimeZoneInfo& eastern = Entry(u"Eastern Standard Time");
    EXPECT_EQ(eastern.Bias, -300);
    EXPECT_EQ(eastern.StandardBias, 0);
    EXPECT_EQ(eastern.DaylightBias, 60);
    EXPECT_EQ(eastern.Display.substr(0, 12), u"(UTC-05:00) ");
    EXPECT_NE(eastern.Display.find(u"New York"), std::u16string::npos);

    // The id mapping knows India only under the database's old name Asia/Calcutta.
    const CRegTimeZoneInfo& india = Entry(u"India Standard Time");
    EXPECT_EQ(india.Display, u"(UTC+05:30) Kolkata");
    EXPECT_EQ(india.Bias, 330);

    // Ireland's winter time is the standard time of its Windows zone.
    const CRegTimeZoneInfo& gmt = Entry(u"GMT Standard Time");
    EXPECT_EQ(gmt.Bias, 0);
    EXPECT_EQ(gmt.DaylightBias, 60);

    // The westernmost zone has no city, only a fixed-offset database zone.
    EXPECT_EQ(entries.front().KeyName, u"Line Islands Standard Time");
    EXPECT_EQ(entries.back().KeyName, u"Dateline Standard Time");
    EXPECT_EQ(entries.back().Display, u"(UTC-12:00) Dateline Standard Time");
    EXPECT_EQ(entries.back().Bias, -720);
}

TEST_F(SystemCatalogueTest, FindsThePcZoneFromTz) {
    {
        ScopedTz tz("Asia/Tokyo");
        EXPECT_EQ(manager.Entries()[manager.FindCurrentZone()].KeyName, u"Tokyo Standard Time");
    }
    {
        ScopedTz tz("America/New_York");
        EXPECT_EQ(manager.Entries()[manager.FindCurrentZone()].KeyName, u"Eastern Standard Time");
    }
    {
        ScopedTz tz("Asia/Kolkata");
        EXPECT_EQ(manager.Entries()[manager.FindCurrentZone()].KeyName, u"India Standard Time");
    }
    {
        ScopedTz tz("Europe/Dublin");
        EXPECT_EQ(manager.Entries()[manager.FindCurrentZone()].KeyName, u"GMT Standard Time");
        // The clock file's offset: Ireland is at UTC+00:00 outside summer.
        EXPECT_EQ(pc.GetTimeZoneInformation().Bias, 0);
        EXPECT_EQ(pc.GetTimeZoneInformation().DaylightBias, -60);
    }
    ScopedTz tz("UTC");
    EXPECT_EQ(manager.FindCurrentZone(), 0);
}

// The PC's zone and the catalogue take their biases and names from the same rules, so every
// zone of the catalogue is found when the PC is set to it.
TEST_F(SystemCatalogueTest, EveryZoneIsFoundWhenThePcIsInIt) {
    const auto& entries = manager.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const QByteArray ianaId = QTimeZone::windowsIdToDefaultIanaId(
            QString::fromStdU16String(entries[i].KeyName).toLatin1());
        ScopedTz tz(ianaId.constData());
        EXPECT_EQ(manager.FindCurrentZone(), static_cast<int>(i)) << ianaId.constData();
    }
}

TEST_F(SystemCatalogueTest, AZoneWrittenToTheRecordIsFoundAgainByName) {
    const auto& entries = manager.Entries();
    const int tokyo = static_cast<int>(
        std::find_if(entries.begin(), entries.end(),
                     [](const auto& entry) { return entry.KeyName == u"Tokyo Standard Time"; }) -
        entries.begin());
    ASSERT_LT(tokyo, static_cast<int>(entries.size()));
    SettingsRecord record;
    manager.SelectZone(tokyo, record);
    EXPECT_EQ(record.GetText(380, 32), "Tokyo Standard Time");
    EXPECT_EQ(record.GetI32(372), 540);

    ScopedTz tz("America/New_York");
    CTimeZoneInfoManager later(source, pc, debug);
    EXPECT_EQ(later.LoadFromRecord(record).selected, tokyo);
}

} // namespace
} // namespace dashcam
