#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "platform/NullDebugOutput.h"
#include "platform/linux/QtPcTimeZone.h"
#include "platform/linux/QtTimeZoneSource.h"
#include "tests/support/ScopedEnv.h"
#include "text/AsciiCase.h"
#include "timezones/CTimeZoneInfoManager.h"
#include "timezones/ExcludedZoneNames.h"

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
        EXPECT_EQ(entry.Display.find(u"Standard Time"), std::u16string::npos);
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
    EXPECT_EQ(entries.back().Display, u"(UTC-12:00) Dateline");
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

// Every zone and link of the system's database, and the places the countries' tables name.
struct DatabaseNames {
    std::vector<std::string> names;
    std::set<std::string> places;

    DatabaseNames() {
        std::ifstream source("/usr/share/zoneinfo/tzdata.zi");
        for (std::string line; std::getline(source, line);) {
            std::istringstream words(line);
            std::string kind, first, second;
            words >> kind >> first >> second;
            if (kind == "Z") {
                names.push_back(first);
            } else if (kind == "L") {
                names.push_back(second);
            }
        }
        for (const char* table :
             {"/usr/share/zoneinfo/zone.tab", "/usr/share/zoneinfo/zone1970.tab"}) {
            std::ifstream rows(table);
            for (std::string line; std::getline(rows, line);) {
                std::istringstream columns(line);
                std::string countries, coordinates, zone;
                if (line[0] != '#' && columns >> countries >> coordinates >> zone) {
                    places.insert(zone);
                }
            }
        }
    }
};

// The C library's view of the zone TZ names: its lowest offset over the coming year, minutes
// east.
int StandardOffsetFromCLibrary() {
    ::tzset();
    const std::time_t now = std::time(nullptr);
    long lowest = 24 * 3600;
    for (int day = 0; day <= 366; ++day) {
        const std::time_t at = now + std::time_t(day) * 24 * 3600;
        std::tm local{};
        ::localtime_r(&at, &local);
        lowest = std::min(lowest, local.tm_gmtoff);
    }
    return static_cast<int>(lowest / 60);
}

std::string Narrow(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

// The PC set to any zone of the database is found under the entry that lists it, with the
// standard offset the C library gives the zone; zones whose own id the catalogue leaves out,
// and those no entry fits, get the first entry.
TEST_F(SystemCatalogueTest, EveryDatabaseZoneIsListedAndFoundWithItsStandardOffset) {
    const DatabaseNames database;
    const auto& entries = manager.Entries();
    int checked = 0;
    std::vector<std::string> leftOut;
    std::vector<std::string> unplaced;
    std::vector<std::string> notShown;
    for (const std::string& name : database.names) {
        ScopedTz tz(name.c_str());
        const TimeZoneInformation info = pc.GetTimeZoneInformation();
        const int found = manager.FindCurrentZone();
        if (IsExcludedZoneName(info.StandardName)) {
            leftOut.push_back(name);
            EXPECT_EQ(found, 0) << name;
            continue;
        }
        const CRegTimeZoneInfo& entry = entries[found];
        if (entry.KeyName != info.StandardName) {
            unplaced.push_back(name + " (" + Narrow(info.StandardName) + ")");
            continue;
        }
        ++checked;
        EXPECT_EQ(entry.Bias, StandardOffsetFromCLibrary()) << name;
        EXPECT_EQ(entry.Bias, -info.Bias) << name;
        if (database.places.contains(name)) {
            std::string city = name.substr(name.rfind('/') + 1);
            std::replace(city.begin(), city.end(), '_', ' ');
            // A text holds 255 characters; the cities that do not fit are left off its end.
            if (Narrow(entry.Display).find(city) == std::string::npos) {
                notShown.push_back(name);
                EXPECT_GT(entry.Display.size() + 2 + city.size(), 255u) << name;
            }
        }
    }
    EXPECT_GT(checked, 500);
    EXPECT_EQ(unplaced, std::vector<std::string>{});
    EXPECT_LE(notShown.size(), 6u);
    std::cout << checked << " of " << database.names.size() << " zones found, " << leftOut.size()
              << " under ids the catalogue leaves out, " << notShown.size()
              << " places not shown for want of room\n";
}

// A zone goes under an entry with its offset, preferring one whose clocks change with it.
TEST_F(SystemCatalogueTest, ZonesMovedFromTheirDatedIdGetTheirTrueOffset) {
    struct Moved {
        const char* tz;
        int offset;
        const char* entry;
    };
    for (const Moved& zone : {Moved{"Asia/Bishkek", 360, "Omsk Standard Time"},
                              Moved{"America/Mazatlan", -420, "US Mountain Standard Time"},
                              Moved{"America/Ciudad_Juarez", -420, "Mountain Standard Time"},
                              Moved{"America/Ojinaga", -360, "Central Standard Time"},
                              // TZ may also hold a rule rather than a zone's name.
                              Moved{"EST5EDT,M3.2.0,M11.1.0", -300, "Eastern Standard Time"},
                              Moved{"<+0545>-5:45", 345, "Nepal Standard Time"}}) {
        ScopedTz tz(zone.tz);
        SettingsRecord record;
        manager.LoadFromRecord(record);
        EXPECT_EQ(record.GetI32(372), zone.offset) << zone.tz;
        EXPECT_EQ(record.GetText(380, 32), zone.entry) << zone.tz;
    }
    for (const char16_t* city : {u"Bratislava", u"Podgorica", u"Vatican", u"San Marino", u"Asmara",
                                 u"Mariehamn", u"Bishkek", u"Ciudad Juarez"}) {
        const auto& entries = manager.Entries();
        EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [city](const auto& entry) {
            return entry.Display.find(city) != std::u16string::npos;
        })) << Narrow(city);
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
