#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/DebugOutput.h"
#include "text/AsciiCase.h"

namespace dashcam {

// One parsed INI text: named sections of key/value pairs, names and keys matched ignoring ASCII
// case. Text is UTF-16 inside; the input is UTF-16LE with a byte-order mark or 8-bit text. The
// first section named "TEXT" is the default section of lookups that name none.
class CIniText {
public:
    explicit CIniText(IDebugOutput& debug) : m_debug(debug) {}
    CIniText(const CIniText&) = delete;
    CIniText& operator=(const CIniText&) = delete;

    // Adds the text's sections and pairs; false when the bytes cannot be decoded.
    bool Parse(const std::uint8_t* data, std::size_t size);

    // (found, value) from the default section, or (false, defaultText).
    std::pair<bool, std::u16string> GetString(std::u16string_view key,
                                              std::u16string_view defaultText) const;
    // (found, value) from the named section, or (false, defaultText).
    std::pair<bool, std::u16string> GetString(std::u16string_view section, std::u16string_view key,
                                              std::u16string_view defaultText) const;

    // Names as first written, in no particular order.
    std::vector<std::u16string> SectionNames() const;
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

private:
    using Section =
        std::unordered_map<std::u16string, std::u16string, AsciiCaseHash, AsciiCaseEqual>;

    void ParseLine(std::u16string_view line);
    void ParseHeader(std::u16string_view line);
    void ParseKeyValue(std::u16string_view line);
    void Store(std::u16string key, std::u16string value);
    const Section* FindSection(std::u16string_view name) const;
    static std::pair<bool, std::u16string> Lookup(const Section* section, std::u16string_view key,
                                                  std::u16string_view defaultText);

    IDebugOutput& m_debug;
    std::unordered_map<std::u16string, Section, AsciiCaseHash, AsciiCaseEqual> m_sections;
    const Section* m_defaultSection = nullptr;
    Section* m_current = nullptr; // only while parsing
    // The last section found by name; map nodes stay put, so the pointer stays valid.
    mutable std::u16string m_lastName;
    mutable const Section* m_lastSection = nullptr;
};

} // namespace dashcam
