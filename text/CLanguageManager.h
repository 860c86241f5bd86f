#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/DebugOutput.h"
#include "text/CIniText.h"

namespace dashcam {

// The user-interface texts: the chosen language pack, with the English pack behind it for every
// text the chosen one lacks or leaves empty.
class CLanguageManager {
public:
    explicit CLanguageManager(IDebugOutput& debug);

    // Loads the named pack (any case) and the English fallback; false when a pack is missing or
    // neither could be parsed.
    bool LoadLanguage(std::u16string_view packName);
    // The text of a key such as IDS_STRING101, with "\n" and "\r" turned into line breaks;
    // "Error Loading" before a successful load, empty for a key neither pack holds.
    std::u16string GetText(std::u16string_view key) const;

    bool IsLoaded() const { return m_loaded; }

    // Turns each backslash-n into a line feed, then each backslash-r into a carriage return.
    static std::u16string ExpandEscapes(const std::u16string& text);

private:
    IDebugOutput& m_debug;
    std::unique_ptr<CIniText> m_current;
    std::unique_ptr<CIniText> m_fallback;
    bool m_loaded = false;
};

} // namespace dashcam
