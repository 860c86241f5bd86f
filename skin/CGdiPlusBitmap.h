#pragma once

#include <QImage>
#include <optional>

namespace dashcam {

// Owns one decoded image, or none.
class CGdiPlusBitmap {
public:
    virtual ~CGdiPlusBitmap() = default;
    bool HasBitmap() const { return m_bitmap.has_value(); }
    const QImage& Bitmap() const { return *m_bitmap; }

protected:
    std::optional<QImage> m_bitmap;
};

} // namespace dashcam
