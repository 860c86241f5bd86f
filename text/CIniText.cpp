#include "text/CIniText.h"

#include <algorithm>

#include "platform/DebugBatch.h"
#include "text/AnsiCodePage.h"
#include "text/Trim.h"

namespace dashcam {
namespace {

// White space as the wide-character classification counts it: the ASCII controls and blank,
// and the Unicode spaces.
bool IsWhiteSpace(char16_t c) {
    if (IsAsciiSpace(c)) {
        return true;
    }
    switch (c) {
    case 0x0085:
    case 0x00A0:
    case 0x1680:
    case 0x2028:
    case 0x2029:
    case 0x202F:
    case 0x205F:
    case 0x3000:
        return true;
    default:
        return c >= 0x2000 && c <= 0x200A;
    }
}

std::u16string_view Trim(std::u16string_view s) {
    return TrimIf(s, IsWhiteSpace);
}

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

std::size_t SkipBlanks(std::u16string_view s, std::size_t i) {
    while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) {
        ++i;
    }
    return i;
}

// Decodes the input, or reports that it cannot be decoded.
bool Decode(const std::uint8_t* data, std::size_t size, std::u16string& text) {
    if (data == nullptr || size < 2) {
        return false;
    }
    if (data[0] == 0xFF && data[1] == 0xFE) {
        const std::size_t units = (size - 2) / 2; // an odd last byte is ignored
        text.resize(units);
        for (std::size_t i = 0; i < units; ++i) {
            text[i] = char16_t(data[2 + 2 * i] | data[3 + 2 * i] << 8);
        }
        return true;
    }
    const auto* begin = reinterpret_cast<const char*>(data);
    const std::size_t length = std::find(begin, begin + size, '\0') - begin;
    // Converting nothing is a failed conversion, as the platform's converter reports it.
    if (length == 0) {
        return false;
    }
    text = Utf16FromAnsi(std::string_view(begin, length));
    return true;
}

} // namespace

bool CIniText::Parse(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    if (!Decode(data, size, text)) {
        return false;
    }
    const DebugBatch batch(m_debug); // a line per key: a language pack writes hundreds
    m_current = nullptr;
    std::u16string line;
    for (char16_t c : text) {
        if (c == u'\0') {
            break;
        }
        if (c == u'\r') {
            continue;
        }
        if (c == u'\n') {
            ParseLine(Trim(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        ParseLine(Trim(line));
    }
    m_current = nullptr;
    return true;
}

void CIniText::ParseLine(std::u16string_view line) {
    if (line.empty()) {
        return;
    }
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
        ParseHeader(line);
    } else if (line.front() == u';') {
        return;
    } else if (line.find(u'=') != std::u16string_view::npos) {
        ParseKeyValue(line);
    } else if (m_current != nullptr) {
        Store(std::u16string(line), {});
    }
}

void CIniText::ParseHeader(std::u16string_view line) {
    const std::u16string_view name = Trim(line.substr(1, line.size() - 2));
    if (name.empty()) {
        m_current = nullptr;
        return;
    }
    auto found = m_sections.find(name);
    if (found == m_sections.end()) {
        found = m_sections.emplace(std::u16string(name), Section()).first;
    }
    m_current = &found->second;
    if (m_defaultSection == nullptr && EqualsIgnoringAsciiCase(name, u"TEXT")) {
        m_defaultSection = m_current;
    }
}

void CIniText::ParseKeyValue(std::u16string_view line) {
    if (m_current == nullptr) {
        return;
    }
    std::u16string_view key;
    std::size_t i = 0;
    if (IsQuote(line.front())) {
        const std::size_t close = line.find(line.front(), 1);
        if (close == std::u16string_view::npos || close + 1 >= line.size()) {
            return;
        }
        key = line.substr(1, close - 1);
        i = SkipBlanks(line, close + 1);
        if (i >= line.size() || line[i] != u'=') {
            return;
        }
    } else {
        i = line.find(u'=');
        key = Trim(line.substr(0, i));
    }
    if (key.empty()) {
        return;
    }
    i = SkipBlanks(line, i + 1);
    std::u16string_view value;
    if (i < line.size() && IsQuote(line[i])) {
        const std::size_t close = line.find(line[i], i + 1);
        value = close == std::u16string_view::npos ? line.substr(i + 1)
                                                   : line.substr(i + 1, close - i - 1);
    } else {
        const std::u16string_view rest = line.substr(std::min(i, line.size()));
        value = Trim(rest.substr(0, rest.find(u';')));
    }
    Store(std::u16string(key), std::u16string(value));
    m_debug.Write(u"[" + std::u16string(key) + u"] = \"" + std::u16string(value) + u"\"\n");
}

void CIniText::Store(std::u16string key, std::u16string value) {
    auto found = m_current->find(key);
    if (found == m_current->end()) {
        m_current->emplace(std::move(key), std::move(value));
    } else {
        found->second = std::move(value); // the key keeps the spelling of its first occurrence
    }
}

const CIniText::Section* CIniText::FindSection(std::u16string_view name) const {
    if (m_lastSection != nullptr && EqualsIgnoringAsciiCase(name, m_lastName)) {
        return m_lastSection;
    }
    const auto found = m_sections.find(name);
    if (found == m_sections.end()) {
        return nullptr;
    }
    m_lastName = name;
    m_lastSection = &found->second;
    return m_lastSection;
}

std::pair<bool, std::u16string> CIniText::Lookup(const Section* section, std::u16string_view key,
                                                 std::u16string_view defaultText) {
    if (section != nullptr) {
        const auto found = section->find(key);
        if (found != section->end()) {
            return {true, found->second};
        }
    }
    return {false, std::u16string(defaultText)};
}

std::pair<bool, std::u16string> CIniText::GetString(std::u16string_view key,
                                                    std::u16string_view defaultText) const {
    return Lookup(m_defaultSection, key, defaultText);
}

std::pair<bool, std::u16string> CIniText::GetString(std::u16string_view section,
                                                    std::u16string_view key,
                                                    std::u16string_view defaultText) const {
    return Lookup(FindSection(section), key, defaultText);
}

std::vector<std::u16string> CIniText::SectionNames() const {
    std::vector<std::u16string> names;
    for (const auto& entry : m_sections) {
        names.push_back(entry.first);
    }
    return names;
}

std::vector<std::u16string> CIniText::KeyNames(std::u16string_view section) const {
    std::vector<std::u16string> names;
    if (const Section* s = FindSection(section); s != nullptr) {
        for (const auto& entry : *s) {
            names.push_back(entry.first);
        }
    }
    return names;
}

} // namespace dashcam
