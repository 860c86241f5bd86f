#pragma once

#include <cstdint>

namespace dashcam {

// A rectangle as left, top, right, bottom (right and bottom exclusive).
struct SkinRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const SkinRect&) const = default;
};

} // namespace dashcam
