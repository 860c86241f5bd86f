#include "text/LanguageChoice.h"

#include <array>
#include <utility>

#include "text/AsciiCase.h"

namespace dashcam {
namespace {

constexpr std::array<std::u16string_view, 11> kViewerLanguages = {
    u"french",  u"english", u"spanish", u"korean",   u"chinesesimplified", u"chinesetraditional",
    u"russian", u"german",  u"italian", u"japanese", u"portuguese"};

constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 11> kCodePacks = {{
    {u"fr", u"french"},
    {u"es", u"spanish"},
    {u"zh-Hans", u"chinesesimplified"},
    {u"zh-Hant-HK", u"chinesetraditional"},
    {u"en", u"english"},
    {u"ko", u"korean"},
    {u"de", u"german"},
    {u"it", u"italian"},
    {u"ja", u"japanese"},
    {u"pt", u"portuguese"},
    {u"ru", u"russian"},
}};

} // namespace

std::u16string ChooseLanguagePack(bool viewerRunning, const std::u16string& registryLanguage,
                                  const std::vector<std::u16string>& codes,
                                  std::int32_t languageIndex) {
    if (viewerRunning) {
        for (std::u16string_view name : kViewerLanguages) {
            if (EqualsIgnoringAsciiCase(registryLanguage, name)) {
                return std::u16string(name);
            }
        }
        return u"english";
    }
    if (languageIndex < 0 || std::size_t(languageIndex) >= codes.size()) {
        return u"english";
    }
    for (const auto& [code, pack] : kCodePacks) {
        if (codes[std::size_t(languageIndex)] == code) {
            return std::u16string(pack);
        }
    }
    return u"english";
}

} // namespace dashcam
