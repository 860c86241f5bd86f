#pragma once

#include <span>
#include <string_view>

namespace dashcam {

struct LanguageEntry {
    std::u16string_view code;
    std::u16string_view name;
};

// The language codes a camera may list in its device description, with their English names.
class LanguageCatalogue {
public:
    static std::span<const LanguageEntry> Entries();
    // The name of a code compared exactly, case included; empty when the catalogue lacks it.
    static std::u16string_view NameOf(std::u16string_view code);
};

} // namespace dashcam
