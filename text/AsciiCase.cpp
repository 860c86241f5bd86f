#include "text/AsciiCase.h"

namespace dashcam {

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t AsciiCaseHash::operator()(std::u16string_view text) const {
    // FNV-1a over the folded code units.
    std::size_t hash = 14695981039346656037ull;
    for (char16_t c : text) {
        hash = (hash ^ FoldAsciiCase(c)) * 1099511628211ull;
    }
    return hash;
}

} // namespace dashcam
