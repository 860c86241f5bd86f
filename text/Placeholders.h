#pragma once

#include <initializer_list>
#include <string>

namespace dashcam {

// A pack text with %1 to %9 replaced by the values in their order; a placeholder without a
// value stays as it stands.
std::u16string FillPlaceholders(const std::u16string& text,
                                std::initializer_list<std::u16string> values);

} // namespace dashcam
