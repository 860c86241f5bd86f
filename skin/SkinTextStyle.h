#pragma once

#include <QColor>
#include <QString>
#include <cstdint>

namespace dashcam {

// A colour as the skin tables give it: 0x00BBGGRR.
using SkinColor = std::uint32_t;

constexpr SkinColor Rgb(int r, int g, int b) {
    return SkinColor(r) | SkinColor(g) << 8 | SkinColor(b) << 16;
}
inline QColor ToQColor(SkinColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The caption of a skinned control: colour A for normal and disabled, B for hover, C for pressed
// and selected; alignment 0 is top-left in the caption rectangle, 1 centred.
struct SkinTextStyle {
    QString text;
    SkinColor colorA = 0;
    SkinColor colorB = 0;
    SkinColor colorC = 0;
    int fontHeight = 13;
    int alignment = 0;
};

} // namespace dashcam
