#include "skin/CMemCanvas.h"

#include <QPainter>
#include <cmath>

namespace dashcam {

QImage CMemCanvas::NewImage(int width, int height, qreal ratio) {
    QImage image(int(std::ceil(width * ratio)), int(std::ceil(height * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull()) {
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
    }
    return image;
}

bool CMemCanvas::Create(int width, int height, qreal ratio) {
    if (m_image || width <= 0 || height <= 0 || !(ratio > 0)) {
        return false;
    }
    auto image = std::make_unique<QImage>(NewImage(width, height, ratio));
    if (image->isNull()) {
        return false;
    }
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

void CMemCanvas::CopyFrom(const CMemCanvas& source, const QRect& area) {
    if (!m_image || !source.HasDeviceContext()) {
        return;
    }
    const qreal r = source.Ratio();
    QPainter painter(m_image.get());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(0, 0, area.width(), area.height()), source.Image(),
                      QRectF(area.x() * r, area.y() * r, area.width() * r, area.height() * r));
}

} // namespace dashcam
