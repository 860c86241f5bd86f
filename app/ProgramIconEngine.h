#pragma once

#include <QIconEngine>
#include <QList>
#include <QSize>

namespace dashcam {

// The program's icon from its embedded PNGs, decoded only when a size of it is asked for and not
// kept: the window system takes the icon once, as a window is made, and a platform that shows
// the desktop entry's icon instead (offscreen, Wayland here) never asks at all.
class ProgramIconEngine : public QIconEngine {
public:
    ProgramIconEngine();

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    // The index of the picture that best fills `size`: the smallest that covers it, else the
    // largest; -1 when there is none.
    int BestFor(const QSize& size) const;

    QList<QSize> m_sizes; // of the pictures, in the order of their names
};

} // namespace dashcam
