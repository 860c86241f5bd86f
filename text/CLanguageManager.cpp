#include "text/CLanguageManager.h"

#include "resources/EmbeddedResources.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

// Replaces every two-character sequence of a backslash and the letter, left to right.
std::u16string ReplaceEscape(const std::u16string& text, char16_t letter, char16_t replacement) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == letter) {
            out += replacement;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

CLanguageManager::CLanguageManager(IDebugOutput& debug)
    : m_debug(debug), m_current(std::make_unique<CIniText>(debug)),
      m_fallback(std::make_unique<CIniText>(debug)) {}

bool CLanguageManager::LoadLanguage(std::u16string_view packName) {
    m_loaded = false;
    // Each load starts from empty packs, so a second load never mixes two languages.
    m_current = std::make_unique<CIniText>(m_debug);
    m_fallback = std::make_unique<CIniText>(m_debug);
    bool parsed = false;
    if (!packName.empty()) {
        const auto pack = FindEmbeddedResource("LANGUAGE", Utf8FromUtf16(packName));
        if (!pack) {
            return false;
        }
        parsed = m_current->Parse(pack->data(), pack->size());
    }
    const auto english = FindEmbeddedResource("LANGUAGE", "english");
    if (!english) {
        return false;
    }
    parsed = m_fallback->Parse(english->data(), english->size()) || parsed;
    m_loaded = parsed;
    return parsed;
}

std::u16string CLanguageManager::GetText(std::u16string_view key) const {
    if (!m_loaded) {
        return u"Error Loading";
    }
    auto [found, text] = m_current->GetString(key, u"");
    if (!found || text.empty()) {
        text = m_fallback->GetString(key, u"").second;
    }
    return ExpandEscapes(text);
}

std::u16string CLanguageManager::ExpandEscapes(const std::u16string& text) {
    return ReplaceEscape(ReplaceEscape(text, u'n', u'\n'), u'r', u'\r');
}

} // namespace dashcam
