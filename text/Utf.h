#pragma once

#include <string>
#include <string_view>

namespace dashcam {

// Conversions between the program's UTF-16 text and UTF-8 (paths, terminal output). Invalid
// sequences become U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);
std::u16string Utf16FromUtf8(std::string_view text);
// Widens pure ASCII text (diagnostic formats, numbers).
std::u16string Utf16FromAscii(std::string_view text);

} // namespace dashcam
