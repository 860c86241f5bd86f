#include "skin/CMemCanvas.h"

namespace dashcam {

bool CMemCanvas::Create(int width, int height) {
    if (m_image || width <= 0 || height <= 0) {
        return false;
    }
    auto image = std::make_unique<QImage>(width, height, QImage::Format_ARGB32_Premultiplied);
    if (image->isNull()) {
        return false;
    }
    image->fill(Qt::transparent);
    m_image = std::move(image);
    m_width = width;
    m_height = height;
    return true;
}

void CMemCanvas::Release() {
    m_image.reset();
    m_width = 0;
    m_height = 0;
}

} // namespace dashcam
