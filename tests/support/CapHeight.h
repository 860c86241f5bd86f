#pragma once

#include <QImage>
#include <cstdlib>

namespace dashcam::test {

// The cap height the skin means for a font of the given cell height: fonts-wine's Tahoma has
// capitals of 1489 units in a cell (usWinAscent + usWinDescent) of 2049 + 423 units.
inline double TahomaCapHeightForCell(int cellHeight) {
    return cellHeight * 1489.0 / (2049 + 423);
}

// How many rows of two looks of the same widget, one with the letter "H" drawn and one without
// any text, differ by more than faint anti-aliasing: the rendered height of a capital.
inline int InkRows(const QImage& withCapital, const QImage& without) {
    const QImage a = withCapital.convertToFormat(QImage::Format_RGB32);
    const QImage b = without.convertToFormat(QImage::Format_RGB32);
    int rows = 0;
    for (int y = 0; y < a.height() && y < b.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < a.width() && x < b.width() && !ink; ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            ink = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                      std::abs(qBlue(p) - qBlue(q)) >
                  96;
        }
        rows += ink ? 1 : 0;
    }
    return rows;
}

} // namespace dashcam::test
