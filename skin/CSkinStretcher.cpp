#include "skin/CSkinStretcher.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <utility>

#include "skin/CGdiPlusBitmapResource.h"

namespace dashcam {
namespace {

bool IsMarker(QRgb c) {
    return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0;
}
bool IsWhite(QRgb c) {
    return qRed(c) == 255 && qGreen(c) == 255 && qBlue(c) == 255;
}

// Copies columns (or rows) of one canvas into another whose other dimension is the same; both
// hold premultiplied ARGB pixels. Bands outside either image are left out, as a block copy
// does. A stretch copy of one band is plain pixel replication, done here directly: the
// painter's scaled drawing would take its general span path for what is a fill.
class BandCopier {
public:
    BandCopier(const QImage& from, QImage& to, bool horizontal)
        : m_from(from), m_to(to), m_horizontal(horizontal),
          m_fromBands(horizontal ? from.width() : from.height()),
          m_toBands(horizontal ? to.width() : to.height()),
          m_across(horizontal ? std::min(from.height(), to.height())
                              : std::min(from.width(), to.width())) {}

    // `length` bands from `fromAt` on, placed from `at` on.
    void Copy(int at, int fromAt, int length) {
        if (at < 0 || fromAt < 0) {
            return;
        }
        length = std::min({length, m_fromBands - fromAt, m_toBands - at});
        if (length <= 0) {
            return;
        }
        if (m_horizontal) {
            for (int y = 0; y < m_across; ++y) {
                std::copy_n(FromLine(y) + fromAt, length, ToLine(y) + at);
            }
        } else {
            for (int i = 0; i < length; ++i) {
                std::copy_n(FromLine(fromAt + i), m_across, ToLine(at + i));
            }
        }
    }

    // Band `fromAt` placed `count` times from `at` on.
    void Stretch(int at, int fromAt, int count) {
        if (at < 0 || fromAt < 0 || fromAt >= m_fromBands) {
            return;
        }
        count = std::min(count, m_toBands - at);
        if (count <= 0) {
            return;
        }
        if (m_horizontal) {
            for (int y = 0; y < m_across; ++y) {
                std::fill_n(ToLine(y) + at, count, FromLine(y)[fromAt]);
            }
        } else {
            for (int i = 0; i < count; ++i) {
                std::copy_n(FromLine(fromAt), m_across, ToLine(at + i));
            }
        }
    }

private:
    const QRgb* FromLine(int y) const {
        return reinterpret_cast<const QRgb*>(m_from.constBits() + y * m_from.bytesPerLine());
    }
    QRgb* ToLine(int y) { return reinterpret_cast<QRgb*>(m_to.bits() + y * m_to.bytesPerLine()); }

    const QImage& m_from;
    QImage& m_to;
    bool m_horizontal;
    int m_fromBands;
    int m_toBands;
    int m_across;
};

// One pass: the marked columns (or rows) of `from` are repeated to fill targetLength of them;
// without marks, or with more than the layout knows, a plain copy. What lies past the end of
// `to` is left out.
void Pass(const QImage& from, QImage& to, int targetLength, bool horizontal,
          const std::vector<std::int32_t>& marks, std::vector<std::int32_t>& amounts) {
    BandCopier band(from, to, horizontal);
    const int sourceLength = horizontal ? from.width() : from.height();
    if (marks.size() == 1) {
        const int m = marks[0];
        const int k = targetLength - sourceLength + 1;
        band.Copy(0, 0, m);
        band.Stretch(m, m, k);
        amounts.push_back(k);
        band.Copy(m + k, m + 1, sourceLength - m);
    } else if (marks.size() == 2) {
        const int m0 = marks[0];
        const int m1 = marks[1];
        const int half = (targetLength - sourceLength + 2) / 2;
        band.Copy(0, 0, m0);
        band.Stretch(m0, m0, half);
        amounts.push_back(half);
        band.Copy(m0 + half, m0 + 1, m1 - m0 - 1);
        band.Stretch(m1 + half - 1, m1, half);
        amounts.push_back(half);
        // Column m1 is placed once more before the rest; the surplus falls outside the target.
        band.Copy(m1 + 2 * half - 1, m1, sourceLength - m1);
    } else {
        band.Copy(0, 0, targetLength);
    }
}

// The run of marker pixels on a border line: from the first marker to the last pixel before
// the next pure white one (or the line's end). None when the line has no marker.
std::optional<std::pair<int, int>> MarkerRun(int length, const std::function<QRgb(int)>& pixelAt) {
    int i = 0;
    while (i < length && !IsMarker(pixelAt(i))) {
        ++i;
    }
    if (i == length) {
        return std::nullopt;
    }
    const int first = i;
    while (i + 1 < length && !IsWhite(pixelAt(i + 1))) {
        ++i;
    }
    return std::make_pair(first, i);
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
    // Without a marker run the whole picture is content.
    const auto [top, bottom] =
        MarkerRun(h, [&](int y) { return image.pixel(w - 1, y); }).value_or(std::pair(1, h - 2));
    const auto [left, right] =
        MarkerRun(w, [&](int x) { return image.pixel(x, h - 1); }).value_or(std::pair(1, w - 2));
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
    CGdiPlusBitmapResource bitmap;
    const qreal ratio = canvas.Ratio();
    if (!bitmap.Load(id, ratio)) {
        Clear();
        return; // every id the program draws is among the resources
    }
    if (ratio == 1.0) {
        DrawStretched(canvas, bitmap.Bitmap(), content);
    } else {
        DrawAtRatio(canvas, id, bitmap.Bitmap(), content);
    }
}

// A canvas for a denser screen: the picture of the density that fits is stretched in its own
// device pixels, then placed over the canvas's device pixels (exactly at its own density,
// smoothly scaled at a fractional one such as 1.25 or 1.5). The content rectangle and the
// recorded amounts stay those of the artwork at its own size, in the window's pixels, as the
// controls place their captions in those.
void CSkinStretcher::DrawAtRatio(CMemCanvas& canvas, int id, const QImage& picture,
                                 SkinRect* content) {
    if (!canvas.HasDeviceContext()) {
        Clear();
        return;
    }
    const qreal scale = picture.devicePixelRatio();
    CMemCanvas dense;
    if (!dense.Create(int(std::lround(canvas.Width() * scale)),
                      int(std::lround(canvas.Height() * scale)))) {
        Clear();
        return;
    }
    DrawStretched(dense, picture, scale == 1.0 ? content : nullptr);
    dense.Image().setDevicePixelRatio(scale);
    {
        QPainter painter(&canvas.Image());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(0, 0, canvas.Width(), canvas.Height()), dense.Image());
    }
    if (scale == 1.0) {
        return;
    }
    CGdiPlusBitmapResource plain;
    CMemCanvas logical;
    if (plain.Load(id) && logical.Create(canvas.Width(), canvas.Height())) {
        DrawStretched(logical, plain.Bitmap(), content);
    }
}

void CSkinStretcher::DrawStretched(CMemCanvas& canvas, const QImage& picture, SkinRect* content) {
    Clear();
    if (!canvas.HasDeviceContext()) {
        return;
    }
    // Border pixels are read with straight alpha, so transparent white stays white. The work is
    // in the picture's own pixels, whatever density it was drawn for.
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    image.setDevicePixelRatio(1.0);
    const int w = image.width();
    const int h = image.height();
    const int cw = canvas.Image().width(); // device pixels
    const int ch = canvas.Image().height();
    ScanMarkers(image);

    // S: the picture without its marker border, premultiplied. It is converted by the image
    // itself rather than drawn with a painter, whose image drawing starts the toolkit's worker
    // threads even for a picture this small; the pixels are the same. The stretch is laid out
    // for a target one pixel wider and taller than the canvas; the second pass writes straight
    // into the canvas, which takes what fits of it, instead of into a whole-window copy.
    const QImage s =
        image.copy(QRect(1, 1, w - 1, h - 1)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    CMemCanvas q;
    q.Create(cw + 1, h - 1);
    if (s.isNull() || !q.HasDeviceContext()) {
        return;
    }
    Pass(s, q.Image(), cw + 1, true, m_markedColumns, m_columnAmounts);
    const bool sameHeight = (h - 1) == (ch + 1);
    canvas.Image().fill(Qt::transparent); // what the passes leave unwritten, as in a new canvas
    Pass(q.Image(), canvas.Image(), ch + 1, false,
         sameHeight ? std::vector<std::int32_t>() : m_markedRows, m_rowAmounts);
    if (content != nullptr) {
        *content = ContentRect(image);
    }
}

void CSkinStretcher::Clear() {
    m_columnAmounts.clear();
    m_rowAmounts.clear();
    m_markedColumns.clear();
    m_markedRows.clear();
}

void DrawPngNatural(CMemCanvas& canvas, int id) {
    if (!canvas.HasDeviceContext()) {
        return;
    }
    CGdiPlusBitmapResource bitmap;
    if (!bitmap.Load(id, canvas.Ratio())) {
        return;
    }
    // At its natural size in the window's pixels, whatever the density of either.
    QPainter painter(&canvas.Image());
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(0, 0), bitmap.Bitmap());
}

} // namespace dashcam
