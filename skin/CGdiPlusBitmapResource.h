#pragma once

#include <QSize>
#include <span>

#include "skin/CGdiPlusBitmap.h"

namespace dashcam {

// An image decoded from one of the program's embedded PNG resources. Each resource is decoded
// once a run; every loader of it shares the decoded pixels.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    // Frees what is held, then takes PNG resource id; false when it is missing or undecodable.
    // For a screen denser than 1 (ratio above 1) the picture drawn at twice the density
    // (resource "<id>@2x") is taken when there is one; the image's device pixel ratio tells
    // which was taken.
    bool Load(int id, qreal ratio = 1.0);
};

// PNG bytes decoded by the toolkit's own PNG reader; a null image when they are not a PNG.
QImage DecodePng(std::span<const unsigned char> bytes);
// The size of the PNG in the bytes, from its header alone; invalid when they are not a PNG.
QSize PngSize(std::span<const unsigned char> bytes);

} // namespace dashcam
