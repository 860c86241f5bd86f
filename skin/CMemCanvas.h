#pragma once

#include <QImage>
#include <memory>

namespace dashcam {

// An off-screen drawing surface of a fixed size. Creating a canvas that already exists is
// refused and keeps the first size: release it first to change the size.
class CMemCanvas {
public:
    bool Create(int width, int height);
    void Release();

    bool HasDeviceContext() const { return m_image != nullptr; }
    QImage& Image() { return *m_image; }
    const QImage& Image() const { return *m_image; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    std::unique_ptr<QImage> m_image; // ARGB32 premultiplied
    int m_width = 0;
    int m_height = 0;
};

} // namespace dashcam
