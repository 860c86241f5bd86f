#pragma once

#include <QEvent>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <vector>

#include "skin/CMemCanvas.h"

namespace dashcam::test {

// A top-level window standing in for the main window: it paints a background canvas (image
// 501 stretched to its size) that skinned controls copy from, and records the mouse events it
// receives.
class SkinHost : public QWidget {
public:
    struct MouseRecord {
        QEvent::Type type;
        QPoint position;
        Qt::MouseButton button;
    };

    explicit SkinHost(QSize size = QSize(400, 200));
    // Shows the window and waits until it can receive input.
    void ShowAndWait();

    const CMemCanvas& Background() const { return m_background; }
    std::vector<MouseRecord> mouse;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void Record(QMouseEvent* event);
    CMemCanvas m_background;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget);
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// What a widget shows, as premultiplied ARGB pixels.
QImage Grab(QWidget& widget);

// The part of `background` under `rect` with PNG `pngId` blended over it, stretched to the
// rectangle's size or (natural) unscaled.
QImage ComposedLook(const CMemCanvas& background, const QRect& rect, int pngId,
                    bool natural = false);

// The smallest rectangle holding every pixel in which the two images differ.
QRect DifferenceBounds(const QImage& a, const QImage& b);

} // namespace dashcam::test
