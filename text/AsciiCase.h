#pragma once

#include <cstddef>
#include <string_view>

namespace dashcam {

// Names that match ignoring the case of the ASCII letters only: every other character, accented
// letters included, must be equal.
constexpr char16_t FoldAsciiCase(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

struct AsciiCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view text) const;
};

struct AsciiCaseEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const {
        return EqualsIgnoringAsciiCase(a, b);
    }
};

} // namespace dashcam
