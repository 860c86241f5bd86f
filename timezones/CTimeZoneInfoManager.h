#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DebugOutput.h"
#include "platform/PcTimeZone.h"
#include "platform/TimeZoneSource.h"
#include "settings/SettingsRecord.h"
#include "timezones/CRegTimeZoneInfo.h"

namespace dashcam {

// What the time-zone list shows after a load: its texts in catalogue order (list index equals
// catalogue index) and the index to select, -1 when the catalogue is empty.
struct ZoneListContent {
    std::vector<std::u16string> texts;
    int selected = -1;
};

// The catalogue as read from the zone source, with the diagnostic line of each entry still to
// be written. Reading it touches nothing else, so it may be done on another thread.
struct TimeZoneCatalogue {
    std::vector<std::u16string> subKeyNames;
    std::vector<CRegTimeZoneInfo> entries;
    std::vector<std::u16string> diagnostics;
};

// The catalogue of time zones offered for the camera, built once from the platform's zone
// source: excluded zones left out, the rest ordered from east to west. It maps the zone stored
// in the settings record to a catalogue entry and stores the zone the user picks.
class CTimeZoneInfoManager {
public:
    CTimeZoneInfoManager(ITimeZoneSource& source, IPcTimeZone& pcTimeZone, IDebugOutput& debug);
    // Takes a catalogue read beforehand and writes its diagnostics now.
    CTimeZoneInfoManager(TimeZoneCatalogue catalogue, IPcTimeZone& pcTimeZone, IDebugOutput& debug);

    // Reads the catalogue: the exclusions, every entry, the order from east to west.
    static TimeZoneCatalogue Read(ITimeZoneSource& source);
    // The same on a thread of its own, which calls whenRead (if given) once it is done; the
    // source must not be used elsewhere until then.
    static std::future<TimeZoneCatalogue> ReadAside(ITimeZoneSource& source,
                                                    std::function<void()> whenRead = {});

    // The sub-key names left after the exclusions, in the source's order.
    const std::vector<std::u16string>& SubKeyNames() const { return m_subKeyNames; }
    const std::vector<CRegTimeZoneInfo>& Entries() const { return m_entries; }
    int SelectedIndex() const { return m_selected; }

    // The index of the PC's own zone, or 0 when the catalogue lacks it.
    int FindCurrentZone() const;
    // The index of the zone with this offset (minutes east), preferring the one with this key
    // name among several; -1 when no zone has the offset.
    int FindStoredZone(std::u16string_view name, std::int32_t offset) const;

    // Chooses the entry for the zone stored in the record. A record that holds no zone at all
    // gets the PC's own zone written into it.
    ZoneListContent LoadFromRecord(SettingsRecord& record);
    // The user picked an entry: the record's zone becomes that entry's. An index outside the
    // catalogue changes nothing.
    void SelectZone(int index, SettingsRecord& record);

private:
    IPcTimeZone& m_pcTimeZone;
    IDebugOutput& m_debug;
    std::vector<std::u16string> m_subKeyNames;
    std::vector<CRegTimeZoneInfo> m_entries;
    int m_selected = -1;
};

} // namespace dashcam
