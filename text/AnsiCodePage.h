#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dashcam {

// The 8-bit code page of the texts in the settings record and the camera's files (Windows-1252,
// the code page those files are written in on the PCs the camera is used with).
std::u16string Utf16FromAnsi(std::string_view bytes);
// Empty when a character has no place in the code page.
std::optional<std::string> AnsiFromUtf16(std::u16string_view text);

} // namespace dashcam
