#pragma once

#include "skin/CGdiPlusBitmap.h"

namespace dashcam {

// An image decoded from one of the program's embedded PNG resources. Each resource is decoded
// once a run; every loader of it shares the decoded pixels.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
public:
    // Frees what is held, then takes PNG resource id; false when it is missing or undecodable.
    bool Load(int id);
};

} // namespace dashcam
