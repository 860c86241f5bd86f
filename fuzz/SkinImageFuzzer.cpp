// Any bytes as a skin picture: decoded as PNG, then stretched with its marker border onto
// canvases smaller than, equal to and larger than the picture. The canvas keeps its size, and
// the stretcher records one amount per marked column or row that it repeats.
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "skin/CMemCanvas.h"
#include "skin/CSkinStretcher.h"

using namespace dashcam;

namespace {

// Pictures above this many pixels are refused, as no skin picture is that large; the decoder
// itself is still run on their headers.
constexpr qint64 kMaxPixels = 1 << 20;

void Stretch(const QImage& picture, int width, int height) {
    CMemCanvas canvas;
    if (!canvas.Create(width, height)) {
        return;
    }
    CSkinStretcher stretcher;
    SkinRect content;
    stretcher.DrawStretched(canvas, picture, &content);
    FUZZ_CHECK(canvas.Width() == width && canvas.Height() == height);
    FUZZ_CHECK(canvas.Image().width() == width && canvas.Image().height() == height);
    // One amount per mark for one or two marks; more marks than that are copied plainly. A
    // picture of a single row or column has nothing inside its border and draws nothing.
    const auto expected = [](std::size_t marks) { return marks <= 2 ? marks : 0; };
    const bool drawn = picture.width() > 1 && picture.height() > 1;
    const bool sameHeight = picture.height() - 1 == height + 1;
    FUZZ_CHECK(stretcher.ColumnAmounts().size() ==
               (drawn ? expected(stretcher.MarkedColumns().size()) : 0));
    FUZZ_CHECK(stretcher.RowAmounts().size() ==
               (drawn && !sameHeight ? expected(stretcher.MarkedRows().size()) : 0));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    // The first four bytes choose how much larger or smaller the canvases are.
    const int dw = static_cast<std::int8_t>(data[0]);
    const int dh = static_cast<std::int8_t>(data[1]);
    QByteArray bytes(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "PNG");
    const QSize declared = reader.size();
    if (declared.isValid() && qint64(declared.width()) * declared.height() > kMaxPixels) {
        return 0;
    }
    QImage picture;
    if (!reader.read(&picture) || picture.isNull()) {
        return 0;
    }
    picture = picture.convertToFormat(QImage::Format_ARGB32);
    Stretch(picture, picture.width(), picture.height());
    Stretch(picture, std::max(1, picture.width() + dw), std::max(1, picture.height() + dh));
    Stretch(picture, std::max(1, picture.width() + data[2]),
            std::max(1, picture.height() + data[3]));
    return 0;
}
