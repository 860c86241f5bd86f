#pragma once

#include <string_view>

namespace dashcam {

// Zones the camera cannot represent: a catalogue key name that begins with one of seventeen
// words, compared ignoring ASCII case, is never offered.
bool IsExcludedZoneName(std::u16string_view keyName);

} // namespace dashcam
