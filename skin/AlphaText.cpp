#include "skin/AlphaText.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dashcam {

std::optional<QImage> RenderTextBitmap(const QString& text, const QFont& font, SkinColor color,
                                       qreal ratio) {
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const QRect bounds =
        QFontMetrics(font).boundingRect(QRect(), Qt::AlignLeft | Qt::AlignTop, text);
    const int w = bounds.width();
    const int h = bounds.height();
    if (w <= 0 || h <= 0) {
        return std::nullopt;
    }
    // Glyphs are drawn at the screen's density, so they stay sharp there.
    const int dw = int(std::ceil(w * ratio));
    const int dh = int(std::ceil(h * ratio));
    QImage coverage(dw, dh, QImage::Format_RGB32);
    coverage.setDevicePixelRatio(ratio);
    coverage.fill(Qt::black);
    {
        QPainter painter(&coverage);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, w, h), Qt::AlignLeft | Qt::AlignTop, text);
    }
    const int r = color & 0xFF;
    const int g = (color >> 8) & 0xFF;
    const int b = (color >> 16) & 0xFF;
    QImage out(dw, dh, QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(ratio);
    for (int y = 0; y < dh; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
        auto* px = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < dw; ++x) {
            const int v = qBlue(in[x]);
            px[x] = qRgba((r * v) >> 8, (g * v) >> 8, (b * v) >> 8, v);
        }
    }
    return out;
}

void DrawTextAlpha(CMemCanvas& canvas, const QString& text, const QFont& font, const SkinRect& rect,
                   SkinColor color, int alignment) {
    if (!canvas.HasDeviceContext()) {
        return;
    }
    const std::optional<QImage> bitmap = RenderTextBitmap(text, font, color, canvas.Ratio());
    if (!bitmap) {
        return;
    }
    // Placed in the window's pixels: the text's size there.
    const int w = int(std::lround(bitmap->width() / bitmap->devicePixelRatio()));
    const int h = int(std::lround(bitmap->height() / bitmap->devicePixelRatio()));
    const int dy = std::max(0, ((rect.bottom - rect.top) - h) / 2);
    int dx = 0;
    if (alignment == 1) {
        const int e = (rect.right - rect.left) - w;
        dx = e < 0 ? 0 : e / 2 + (e % 2);
    }
    QPainter painter(&canvas.Image());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(rect.left + dx, rect.top + dy), *bitmap);
}

} // namespace dashcam
