#pragma once

#include <QImage>
#include <QRect>
#include <memory>

namespace dashcam {

// An off-screen drawing surface of a fixed size. Creating a canvas that already exists is
// refused and keeps the first size: release it first to change the size.
//
// Sizes are in the window's (logical) pixels; a canvas made for a screen of a higher density
// holds ratio times as many device pixels each way, so what is drawn into it stays sharp there.
class CMemCanvas {
public:
    bool Create(int width, int height, qreal ratio = 1.0);
    void Release();

    bool HasDeviceContext() const { return m_image != nullptr; }
    QImage& Image() { return *m_image; }
    const QImage& Image() const { return *m_image; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    qreal Ratio() const { return m_image ? m_image->devicePixelRatio() : 1.0; }

    // Copies the part of `source` under `area` (in the source's logical pixels) to this canvas's
    // top-left corner, replacing what it held there.
    void CopyFrom(const CMemCanvas& source, const QRect& area);

    // A transparent premultiplied image of width x height logical pixels at the ratio.
    static QImage NewImage(int width, int height, qreal ratio);

private:
    std::unique_ptr<QImage> m_image; // ARGB32 premultiplied
    int m_width = 0;
    int m_height = 0;
};

} // namespace dashcam
