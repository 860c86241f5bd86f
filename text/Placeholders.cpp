#include "text/Placeholders.h"

#include <cstdint>
#include <vector>

namespace dashcam {

// One pass over the pack's text, so a value that itself holds "%2" is never filled in again.
std::u16string FillPlaceholders(const std::u16string& text,
                                std::initializer_list<std::u16string> values) {
    const std::vector<std::u16string> byNumber(values);
    std::u16string filled;
    filled.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t number =
            at + 1 < text.size() && text[at] == u'%' ? std::size_t(text[at + 1] - u'1') : SIZE_MAX;
        if (number < byNumber.size() && number < 9) {
            filled += byNumber[number];
            ++at;
        } else {
            filled += text[at];
        }
    }
    return filled;
}

} // namespace dashcam
