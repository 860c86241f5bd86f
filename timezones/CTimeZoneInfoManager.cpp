#include "timezones/CTimeZoneInfoManager.h"

#include <algorithm>

#include "text/AnsiCodePage.h"
#include "text/AsciiCase.h"
#include "text/Utf.h"
#include "timezones/ExcludedZoneNames.h"

namespace dashcam {
namespace {

// The read buffers: the binary value has its fixed size, text values get 512 bytes.
constexpr std::size_t kTextValueBytes = 512;

constexpr std::size_t kNameField = OffsetOf("time_zone_name");
constexpr std::size_t kNameWidth = Field("time_zone_name").width;
constexpr std::size_t kOffsetField = OffsetOf("time_zone_offset");

// A UTF-16LE text value up to its first NUL, at most maxUnits units.
std::u16string TextFromValue(const std::vector<std::uint8_t>& bytes, std::size_t maxUnits) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size() && text.size() < maxUnits; i += 2) {
        const char16_t unit = char16_t(bytes[i] | (bytes[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        text += unit;
    }
    return text;
}

// The key name in the record's 8-bit code page, cut to leave room for the field's NUL.
// Characters the code page lacks become '?', as the platform's conversion does.
std::string StoredName(std::u16string_view keyName) {
    std::string bytes;
    for (char16_t c : keyName) {
        bytes += AnsiFromUtf16(std::u16string_view(&c, 1)).value_or("?");
    }
    bytes.resize(std::min(bytes.size(), kNameWidth - 1));
    return bytes;
}

std::u16string Number(std::int32_t value) {
    return Utf16FromAscii(std::to_string(value));
}

std::int32_t Negated(std::int32_t value) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(value));
}

std::vector<std::u16string> SubKeyNamesLeft(ITimeZoneSource& source) {
    std::vector<std::u16string> names = source.SubKeyNames();
    std::erase_if(names, [](const std::u16string& name) { return IsExcludedZoneName(name); });
    return names;
}

CRegTimeZoneInfo ReadEntry(ITimeZoneSource& source, const std::u16string& subKey) {
    CRegTimeZoneInfo entry;
    std::vector<std::u16string> valueNames;
    source.ValueNames(subKey, valueNames);
    for (const std::u16string& valueName : valueNames) {
        const bool isTzi = EqualsIgnoringAsciiCase(valueName, u"TZI");
        std::vector<std::uint8_t> data;
        if (!source.QueryValue(subKey, valueName, data)) {
            continue;
        }
        data.resize(std::min(data.size(), isTzi ? CRegTimeZoneInfo::kTziBytes : kTextValueBytes));
        if (isTzi) {
            entry.SetTzi(data);
        } else if (EqualsIgnoringAsciiCase(valueName, u"Display")) {
            entry.Display = TextFromValue(data, CRegTimeZoneInfo::kDisplayUnits - 1);
        } else if (EqualsIgnoringAsciiCase(valueName, u"Std")) {
            entry.Std = TextFromValue(data, CRegTimeZoneInfo::kStdUnits - 1);
        }
    }
    entry.KeyName = subKey.substr(0, CRegTimeZoneInfo::kKeyNameUnits - 1);
    return entry;
}

void SortEastToWest(std::vector<CRegTimeZoneInfo>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CRegTimeZoneInfo& a, const CRegTimeZoneInfo& b) {
                         if (a.Bias != b.Bias) {
                             return a.Bias > b.Bias;
                         }
                         return a.Std < b.Std;
                     });
}

} // namespace

TimeZoneCatalogue CTimeZoneInfoManager::Read(ITimeZoneSource& source) {
    TimeZoneCatalogue catalogue;
    catalogue.subKeyNames = SubKeyNamesLeft(source);
    for (std::size_t i = 0; i < catalogue.subKeyNames.size(); ++i) {
        CRegTimeZoneInfo entry = ReadEntry(source, catalogue.subKeyNames[i]);
        catalogue.diagnostics.push_back(u"\t" + Number(static_cast<std::int32_t>(i)) + u"\t[" +
                                        entry.KeyName + u"]\t[" + entry.Display + u"]\tBias[" +
                                        Number(entry.Bias) + u"]\tDaylightBias[" +
                                        Number(entry.DaylightBias) + u"]\n");
        catalogue.entries.push_back(std::move(entry));
    }
    SortEastToWest(catalogue.entries);
    return catalogue;
}

std::future<TimeZoneCatalogue> CTimeZoneInfoManager::ReadAside(ITimeZoneSource& source,
                                                               std::function<void()> whenRead) {
    return std::async(std::launch::async, [&source, whenRead = std::move(whenRead)] {
        TimeZoneCatalogue catalogue = Read(source);
        if (whenRead) {
            whenRead();
        }
        return catalogue;
    });
}

CTimeZoneInfoManager::CTimeZoneInfoManager(ITimeZoneSource& source, IPcTimeZone& pcTimeZone,
                                           IDebugOutput& debug)
    : CTimeZoneInfoManager(Read(source), pcTimeZone, debug) {}

CTimeZoneInfoManager::CTimeZoneInfoManager(TimeZoneCatalogue catalogue, IPcTimeZone& pcTimeZone,
                                           IDebugOutput& debug)
    : m_pcTimeZone(pcTimeZone), m_debug(debug), m_subKeyNames(std::move(catalogue.subKeyNames)),
      m_entries(std::move(catalogue.entries)) {
    for (const std::u16string& line : catalogue.diagnostics) {
        m_debug.Write(line);
    }
}

int CTimeZoneInfoManager::FindCurrentZone() const {
    const TimeZoneInformation pc = m_pcTimeZone.GetTimeZoneInformation();
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& entry) {
        return entry.Bias == Negated(pc.Bias) && entry.StandardBias == pc.StandardBias &&
               entry.Std == pc.StandardName;
    });
    return found == m_entries.end() ? 0 : static_cast<int>(found - m_entries.begin());
}

int CTimeZoneInfoManager::FindStoredZone(std::u16string_view name, std::int32_t offset) const {
    int firstWithOffset = -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].Bias != offset) {
            continue;
        }
        if (!name.empty() && m_entries[i].KeyName == name) {
            return static_cast<int>(i);
        }
        if (firstWithOffset < 0) {
            firstWithOffset = static_cast<int>(i);
        }
    }
    return firstWithOffset;
}

ZoneListContent CTimeZoneInfoManager::LoadFromRecord(SettingsRecord& record) {
    ZoneListContent list;
    for (const CRegTimeZoneInfo& entry : m_entries) {
        list.texts.push_back(entry.Display);
    }
    const std::u16string name = Utf16FromAnsi(record.GetText(kNameField, kNameWidth));
    const std::int32_t offset = record.GetI32(kOffsetField);
    m_debug.Write(u"TimeZone Read  [" + name + u"] Bias[" + Number(offset) + u"]\n");

    if (!name.empty() || offset != 0) {
        const int stored = FindStoredZone(name, offset);
        m_selected = stored >= 0 ? stored : FindCurrentZone();
    } else {
        m_selected = FindCurrentZone();
        if (!m_entries.empty()) {
            // Only the name and its NUL are written; the bytes after them are kept.
            const CRegTimeZoneInfo& entry = m_entries[m_selected];
            const std::string stored = StoredName(entry.KeyName);
            auto field = record.Bytes().subspan(kNameField, kNameWidth);
            std::copy(stored.begin(), stored.end(), field.begin());
            field[stored.size()] = 0;
            record.SetI32(kOffsetField, entry.Bias);
        }
    }
    if (m_entries.empty()) {
        m_selected = -1;
    }
    list.selected = m_selected;
    return list;
}

void CTimeZoneInfoManager::SelectZone(int index, SettingsRecord& record) {
    if (index < 0 || static_cast<std::size_t>(index) >= m_entries.size()) {
        return;
    }
    m_selected = index;
    const CRegTimeZoneInfo& entry = m_entries[index];
    record.SetText(kNameField, kNameWidth, StoredName(entry.KeyName));
    record.SetI32(kOffsetField, entry.Bias);
    m_debug.Write(u"TimeZone [" + entry.KeyName + u"] Bias[" + Number(entry.Bias) + u"]\n");
}

} // namespace dashcam
