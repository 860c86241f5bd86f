#pragma once

#include <QByteArray>

#include "skin/CGdiPlusBitmap.h"

namespace dashcam {

// An image decoded from one of the program's embedded PNG resources, keeping its own copy of
// the file's bytes for as long as the image exists.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    // Frees what is held, then decodes PNG resource id; false when it is missing or undecodable.
    bool Load(int id);

private:
    QByteArray m_block;
};

} // namespace dashcam
