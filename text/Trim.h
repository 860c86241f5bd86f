#pragma once

#include <string_view>

namespace dashcam {

// Space, tab, LF, VT, FF and CR.
template <typename Char> constexpr bool IsAsciiSpace(Char c) {
    return c == Char(' ') || (c >= Char('\t') && c <= Char('\r'));
}

// The text without the leading and trailing characters the predicate picks.
template <typename Char, typename IsSpace>
std::basic_string_view<Char> TrimIf(std::basic_string_view<Char> s, IsSpace isSpace) {
    while (!s.empty() && isSpace(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && isSpace(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

template <typename Char>
std::basic_string_view<Char> TrimAsciiSpace(std::basic_string_view<Char> s) {
    return TrimIf(s, IsAsciiSpace<Char>);
}

} // namespace dashcam
