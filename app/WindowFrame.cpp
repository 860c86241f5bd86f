#include "app/WindowFrame.h"

#include <cmath>

namespace dashcam {
namespace {

bool WholeDevicePixels(const QRect& area, qreal ratio) {
    for (int edge : {area.left(), area.top(), area.width(), area.height()}) {
        const qreal device = edge * ratio;
        if (device != std::floor(device)) {
            return false;
        }
    }
    return true;
}

} // namespace

void WindowFrame::Compose(CMemCanvas& background, const QRect& pageArea) {
    m_parts.clear();
    m_white = {};
    if (!background.HasDeviceContext()) {
        return;
    }
    QImage& image = background.Image();
    const qreal ratio = image.devicePixelRatio();
    if (!WholeDevicePixels(pageArea, ratio)) {
        QPainter painter(&image);
        painter.fillRect(pageArea, Qt::white);
        painter.end();
        m_parts.push_back({QPoint(0, 0), image});
        return;
    }
    const int width = background.Width();
    const int height = background.Height();
    const QRect around[] = {
        {0, 0, width, pageArea.top()},
        {0, pageArea.bottom() + 1, width, height - pageArea.bottom() - 1},
        {0, pageArea.top(), pageArea.left(), pageArea.height()},
        {pageArea.right() + 1, pageArea.top(), width - pageArea.right() - 1, pageArea.height()}};
    for (const QRect& part : around) {
        if (part.isEmpty()) {
            continue;
        }
        QImage cut = image.copy(QRect(part.topLeft() * ratio, part.size() * ratio));
        cut.setDevicePixelRatio(ratio);
        m_parts.push_back({part.topLeft(), std::move(cut)});
    }
    m_white = pageArea;
}

void WindowFrame::Paint(QPainter& painter) const {
    for (const Part& part : m_parts) {
        painter.drawImage(part.at, part.image);
    }
    if (!m_white.isEmpty()) {
        painter.fillRect(m_white, Qt::white);
    }
}

} // namespace dashcam
