#pragma once

#include <QByteArray>

#include "skin/CGdiPlusBitmap.h"

namespace dashcam {

// An image decoded from one of the program's embedded PNG resources, keeping its own copy of
// the file's bytes for as long as the image exists.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    // Frees what is held, then decodes PNG resource id; false when it is missing or undecodable.
    // For a screen denser than 1 (ratio above 1) the picture drawn at twice the density
    // (resource "<id>@2x") is taken when there is one; the image's device pixel ratio tells
    // which was taken.
    bool Load(int id, qreal ratio = 1.0);

private:
    bool Decode(const std::string& name, qreal scale);

    QByteArray m_block;
};

} // namespace dashcam
