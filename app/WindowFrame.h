#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <vector>

#include "skin/CMemCanvas.h"

namespace dashcam {

// The main window's composed look under its controls: the background picture with the page
// area white. Where the page area's edges fall on whole device pixels, only the picture's parts
// around it are kept (under a third of the window) and the white is filled as it is painted;
// otherwise the whole composed picture is kept. Either way it paints the same pixels.
class WindowFrame {
public:
    // Composes from the background canvas, which the caller may release afterwards.
    void Compose(CMemCanvas& background, const QRect& pageArea);
    void Paint(QPainter& painter) const;

private:
    struct Part {
        QPoint at; // in window pixels
        QImage image;
    };
    std::vector<Part> m_parts;
    QRect m_white; // filled as it is painted; empty when the parts hold the whole window
};

} // namespace dashcam
