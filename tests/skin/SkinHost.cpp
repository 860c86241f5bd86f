#include "SkinHost.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include "skin/CSkinStretcher.h"

namespace dashcam::test {

SkinHost::SkinHost(QSize size) {
    setFixedSize(size);
    setMouseTracking(true);
    m_background.Create(size.width(), size.height());
    CSkinStretcher().DrawStretched(m_background, 501);
}

void SkinHost::ShowAndWait() {
    show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
}

void SkinHost::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(QPoint(0, 0), m_background.Image());
}

void SkinHost::Record(QMouseEvent* event) {
    mouse.push_back({event->type(), event->position().toPoint(), event->button()});
}

void SkinHost::mousePressEvent(QMouseEvent* event) {
    Record(event);
}
void SkinHost::mouseReleaseEvent(QMouseEvent* event) {
    Record(event);
}
void SkinHost::mouseMoveEvent(QMouseEvent* event) {
    Record(event);
}

PaintCounter::PaintCounter(QWidget& widget) {
    widget.installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        ++count;
    }
    return false;
}

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage ComposedLook(const CMemCanvas& background, const QRect& rect, int pngId, bool natural) {
    CMemCanvas image;
    image.Create(rect.width(), rect.height());
    if (natural) {
        DrawPngNatural(image, pngId);
    } else {
        CSkinStretcher().DrawStretched(image, pngId);
    }
    QImage look = background.Image().copy(rect);
    QPainter painter(&look);
    painter.drawImage(QPoint(0, 0), image.Image());
    return look;
}

QRect DifferenceBounds(const QImage& a, const QImage& b) {
    QRect bounds;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

} // namespace dashcam::test
