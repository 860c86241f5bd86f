#include "skin/CSkinStretcher.h"

#include <QPainter>

#include "skin/CGdiPlusBitmapResource.h"

namespace dashcam {
namespace {

bool IsMarker(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
}
bool IsWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

// A plain copy (no blending) of part of one image into another; parts outside the source are
// left out, as a block copy does.
void Copy(QImage& to, int x, int y, const QImage& from, int fromX, int fromY, int width,
          int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    QPainter painter(&to);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect source = QRect(fromX, fromY, width, height) & from.rect();
    painter.drawImage(QPoint(x + source.x() - fromX, y + source.y() - fromY), from, source);
}

// A stretch copy of one column (or row) of the source to the given size.
void Stretch(QImage& to, const QRect& target, const QImage& from, const QRect& source) {
    if (target.isEmpty()) {
        return;
    }
    QPainter painter(&to);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, from, source);
}

// One direction of a pass: turns a position and a length along it into a rectangle that spans
// the whole other direction.
struct Axis {
    bool horizontal;
    int across; // the size of the other direction
    QRect Rect(int at, int length) const {
        return horizontal ? QRect(at, 0, length, across) : QRect(0, at, across, length);
    }
};

void Pass(const QImage& from, QImage& to, int sourceLength, int targetLength,
          const std::vector<std::int32_t>& marks, std::vector<std::int32_t>& amounts,
          const Axis& axis) {
    auto copy = [&](int at, int fromAt, int length) {
        const QRect t = axis.Rect(at, length);
        const QRect s = axis.Rect(fromAt, length);
        Copy(to, t.x(), t.y(), from, s.x(), s.y(), s.width(), s.height());
    };
    auto stretch = [&](int at, int fromAt, int length) {
        Stretch(to, axis.Rect(at, length), from, axis.Rect(fromAt, 1));
    };
    if (marks.size() == 1) {
        const int m = marks[0];
        const int k = targetLength - sourceLength + 1;
        copy(0, 0, m);
        stretch(m, m, k);
        amounts.push_back(k);
        copy(m + k, m + 1, sourceLength - m);
    } else if (marks.size() == 2) {
        const int m0 = marks[0];
        const int m1 = marks[1];
        const int half = (targetLength - sourceLength + 2) / 2;
        copy(0, 0, m0);
        stretch(m0, m0, half);
        amounts.push_back(half);
        copy(m0 + half, m0 + 1, m1 - m0 - 1);
        stretch(m1 + half - 1, m1, half);
        amounts.push_back(half);
        copy(m1 + 2 * half - 1, m1, sourceLength - m1);
    } else {
        // No stretching (or more marks than the layout knows): a plain copy.
        Copy(to, 0, 0, from, 0, 0, to.width(), to.height());
    }
}

} // namespace

void CSkinStretcher::ScanMarkers(const QImage& image) {
    for (int x = 0; x < image.width(); ++x) {
        if (IsMarker(image.pixel(x, 0))) {
            m_markedColumns.push_back(x - 1);
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        if (IsMarker(image.pixel(0, y))) {
            m_markedRows.push_back(y - 1);
        }
    }
}

SkinRect CSkinStretcher::ContentRect(const QImage& image) const {
    const int w = image.width();
    const int h = image.height();
    // A run starts at the first marker pixel and ends before the first white pixel after it.
    auto run = [](int length, auto pixelAt, int& first, int& last) {
        first = 0, last = 0;
        for (int i = 0; i < length; ++i) {
            const QRgb c = pixelAt(i);
            if (first == 0 && IsMarker(c)) {
                first = i;
            } else if (first > 0 && IsWhite(c)) {
                last = i - 1;
                break;
            }
        }
    };
    int top, bottom, left, right;
    run(
        h, [&](int y) { return image.pixel(w - 1, y); }, top, bottom);
    run(
        w, [&](int x) { return image.pixel(x, h - 1); }, left, right);
    int vertical = bottom - top + 1;
    int horizontal = right - left + 1;
    if (!m_markedRows.empty() && m_markedRows.size() == m_rowAmounts.size()) {
        for (std::size_t i = 0; i < m_markedRows.size(); ++i) {
            if (top <= m_markedRows[i] + 1 && m_markedRows[i] + 1 <= bottom) {
                vertical += m_rowAmounts[i];
            }
        }
    }
    if (!m_markedColumns.empty() && m_markedColumns.size() == m_columnAmounts.size()) {
        for (std::size_t i = 0; i < m_markedColumns.size(); ++i) {
            if (left <= m_markedColumns[i] + 1 && m_markedColumns[i] + 1 <= right) {
                horizontal += m_columnAmounts[i];
            }
        }
    }
    return {left, top, left + horizontal, top + vertical};
}

void CSkinStretcher::DrawStretched(CMemCanvas& canvas, int id, SkinRect* content) {
    m_columnAmounts.clear();
    m_rowAmounts.clear();
    m_markedColumns.clear();
    m_markedRows.clear();
    if (!canvas.HasDeviceContext()) {
        return;
    }
    CGdiPlusBitmapResource bitmap;
    if (!bitmap.Load(id)) {
        return; // every id the program draws is among the resources
    }
    const QImage& image = bitmap.Bitmap();
    const int w = image.width();
    const int h = image.height();
    const int cw = canvas.Width();
    const int ch = canvas.Height();
    ScanMarkers(image);

    // S: the picture with the right marker column and the bottom marker row.
    CMemCanvas s, q, p;
    s.Create(w - 1, h - 1);
    q.Create(cw + 1, h - 1);
    p.Create(cw + 1, ch + 1);
    if (!s.HasDeviceContext() || !q.HasDeviceContext() || !p.HasDeviceContext()) {
        return;
    }
    Copy(s.Image(), 0, 0, image.convertToFormat(QImage::Format_ARGB32_Premultiplied), 1, 1, w - 1,
         h - 1);
    Pass(s.Image(), q.Image(), w - 1, cw + 1, m_markedColumns, m_columnAmounts, {true, h - 1});
    const bool sameHeight = (h - 1) == (ch + 1);
    Pass(q.Image(), p.Image(), h - 1, ch + 1,
         sameHeight ? std::vector<std::int32_t>() : m_markedRows, m_rowAmounts, {false, cw + 1});
    if (content != nullptr) {
        *content = ContentRect(image);
    }
    Copy(canvas.Image(), 0, 0, p.Image(), 0, 0, cw, ch);
}

void DrawPngNatural(CMemCanvas& canvas, int id) {
    if (!canvas.HasDeviceContext()) {
        return;
    }
    CGdiPlusBitmapResource bitmap;
    if (!bitmap.Load(id)) {
        return;
    }
    QPainter painter(&canvas.Image());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(0, 0), bitmap.Bitmap());
}

} // namespace dashcam
