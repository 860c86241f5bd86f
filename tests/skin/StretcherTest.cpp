#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "resources/EmbeddedResources.h"
#include "skin/CGdiPlusBitmapResource.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {
namespace {

struct Stretch {
    int id, width, height;
    SkinRect content;
};

SkinRect DrawInto(CSkinStretcher& stretcher, int id, int w, int h, CMemCanvas* out = nullptr) {
    CMemCanvas local;
    CMemCanvas& canvas = out ? *out : local;
    EXPECT_TRUE(canvas.Create(w, h));
    SkinRect content;
    stretcher.DrawStretched(canvas, id, &content);
    return content;
}

TEST(SkinStretcher, ContentRectanglesOfTheKnownImages) {
    CSkinStretcher stretcher;
    EXPECT_EQ(DrawInto(stretcher, 161, 221, 29), (SkinRect{7, 3, 217, 28}));
    EXPECT_EQ(stretcher.ColumnAmounts(), std::vector<std::int32_t>{209});
    EXPECT_TRUE(stretcher.RowAmounts().empty());
    EXPECT_EQ(DrawInto(stretcher, 161, 100, 29), (SkinRect{7, 3, 96, 28}));
    EXPECT_EQ(DrawInto(stretcher, 143, 140, 37), (SkinRect{6, 2, 136, 37}));
    EXPECT_EQ(DrawInto(stretcher, 175, 272, 15), (SkinRect{2, 1, 273, 16}));
}

TEST(SkinStretcher, CanvasOfThePictureSizeReceivesThePicture) {
    for (int id : {143, 161, 175, 501}) {
        CGdiPlusBitmapResource bitmap;
        ASSERT_TRUE(bitmap.Load(id));
        const QImage image = bitmap.Bitmap().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        CSkinStretcher stretcher;
        CMemCanvas canvas;
        DrawInto(stretcher, id, image.width() - 2, image.height() - 2, &canvas);
        EXPECT_EQ(stretcher.ColumnAmounts(), std::vector<std::int32_t>{1}) << id;
        EXPECT_EQ(canvas.Image(), image.copy(1, 1, image.width() - 2, image.height() - 2)) << id;
    }
}

TEST(SkinStretcher, StretchedColumnRepeatsAndEdgesStay) {
    CGdiPlusBitmapResource bitmap;
    ASSERT_TRUE(bitmap.Load(161));
    const QImage image = bitmap.Bitmap().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    CSkinStretcher stretcher;
    CMemCanvas canvas;
    DrawInto(stretcher, 161, 221, 29, &canvas);
    const QImage& out = canvas.Image();
    for (int y = 0; y < 29; ++y) {
        EXPECT_EQ(out.pixel(0, y), image.pixel(1, y + 1));
        EXPECT_EQ(out.pixel(100, y), image.pixel(7, y + 1));
        EXPECT_EQ(out.pixel(220, y), image.pixel(13, y + 1)); // the right edge keeps its place
    }
}

// Checks every canvas pixel against the picture pixel (inside the border) the maps name.
void ExpectMapped(const CMemCanvas& canvas, const QImage& image, std::function<int(int)> mapX,
                  std::function<int(int)> mapY) {
    const QImage picture = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            ASSERT_EQ(canvas.Image().pixel(x, y), picture.pixel(mapX(x) + 1, mapY(y) + 1))
                << "at " << x << ", " << y;
        }
    }
}

// Canvas position -> picture position for one stretch band at m repeated k times.
std::function<int(int)> OneBand(int m, int k) {
    return [m, k](int i) { return i < m ? i : (i < m + k ? m : i - k + 1); };
}

TEST(SkinStretcher, BackgroundRepeatsItsMarkedColumnAndRow) {
    CGdiPlusBitmapResource bitmap;
    ASSERT_TRUE(bitmap.Load(501));
    CSkinStretcher stretcher;
    CMemCanvas canvas;
    EXPECT_EQ(DrawInto(stretcher, 501, 722, 587, &canvas), (SkinRect{2, 2, 723, 588}));
    EXPECT_EQ(stretcher.ColumnAmounts(), std::vector<std::int32_t>{696});
    EXPECT_EQ(stretcher.RowAmounts(), std::vector<std::int32_t>{489});
    ExpectMapped(canvas, bitmap.Bitmap(), OneBand(13, 696), OneBand(41, 489));
}

constexpr QRgb kMarker = qRgba(0, 0, 0, 255);
constexpr QRgb kNoMarker = qRgba(255, 255, 255, 0);

// A W x H image with a border free of markers around opaque pixels that differ by column.
QImage BorderedImage(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kNoMarker);
    for (int x = 1; x < width - 1; ++x) {
        for (int y = 1; y < height - 1; ++y) {
            image.setPixel(x, y, qRgba(10 * x, 20 * y, 255, 255));
        }
    }
    return image;
}

TEST(SkinStretcher, TwoStretchColumnsShareTheExtraWidth) {
    QImage image = BorderedImage(8, 5);
    image.setPixel(2, 0, kMarker);
    image.setPixel(5, 0, kMarker);
    CMemCanvas canvas;
    ASSERT_TRUE(canvas.Create(10, 3));
    CSkinStretcher stretcher;
    stretcher.DrawStretched(canvas, image);
    EXPECT_EQ(stretcher.MarkedColumns(), (std::vector<std::int32_t>{1, 4}));
    // half = (11 - 7 + 2) / 2 = 3; column 4 is placed once more after its stretch.
    EXPECT_EQ(stretcher.ColumnAmounts(), (std::vector<std::int32_t>{3, 3}));
    const int expected[] = {0, 1, 1, 1, 2, 3, 4, 4, 4, 4};
    ExpectMapped(
        canvas, image, [&](int x) { return expected[x]; }, [](int y) { return y; });
}

TEST(SkinStretcher, MarkerRunsFollowTheBorderColours) {
    QImage image = BorderedImage(6, 8);
    image.setPixel(0, 3, qRgba(0, 0, 0, 0)); // transparent black marks a row too
    // Right column: a red pixel does not end the run, transparent white does.
    image.setPixel(5, 1, kMarker);
    image.setPixel(5, 2, qRgba(255, 0, 0, 255));
    image.setPixel(5, 3, kMarker);
    image.setPixel(5, 5, kMarker); // a later run is not the content
    image.setPixel(2, 7, kMarker);
    CMemCanvas canvas;
    ASSERT_TRUE(canvas.Create(9, 7));
    CSkinStretcher stretcher;
    SkinRect content;
    stretcher.DrawStretched(canvas, image, &content);
    EXPECT_TRUE(stretcher.MarkedColumns().empty());
    EXPECT_EQ(stretcher.MarkedRows(), std::vector<std::int32_t>{2});
    EXPECT_EQ(stretcher.RowAmounts(), std::vector<std::int32_t>{2});
    // Rows 1 to 3 plus the amount of stretch row 3; column 2 alone, nothing stretched.
    EXPECT_EQ(content, (SkinRect{2, 1, 3, 6}));

    // Runs that start at the corner or are never ended by white still give their length.
    for (int y = 0; y < 8; ++y) {
        image.setPixel(5, y, kMarker);
    }
    CMemCanvas sameHeight;
    ASSERT_TRUE(sameHeight.Create(9, 6));
    stretcher.DrawStretched(sameHeight, image, &content);
    EXPECT_TRUE(stretcher.RowAmounts().empty());
    EXPECT_EQ(content, (SkinRect{2, 0, 3, 8}));
}

TEST(SkinStretcher, ImageWithoutStretchColumnLeavesTheExtraWidthEmpty) {
    const QImage image = BorderedImage(6, 6);
    CMemCanvas canvas;
    ASSERT_TRUE(canvas.Create(10, 4));
    CSkinStretcher().DrawStretched(canvas, image);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(canvas.Image().pixel(3, y), qRgba(40, 20 * (y + 1), 255, 255));
        EXPECT_EQ(qAlpha(canvas.Image().pixel(4, y)), 0);
        EXPECT_EQ(qAlpha(canvas.Image().pixel(9, y)), 0);
    }
}

// On a denser screen the picture drawn for twice the density is stretched in device pixels;
// the content rectangle and the amounts stay those of the 1x artwork, in window pixels, so the
// captions keep their places. At 2 the result is the 2x picture itself at the size that fits,
// at 1.5 a smooth reduction of it.
TEST(SkinStretcher, DenseCanvasTakesThe2xPictureAndKeepsThe1xContent) {
    for (int id : {161, 143, 501}) {
        CGdiPlusBitmapResource dense;
        ASSERT_TRUE(dense.Load(id, 2.0)) << id;
        EXPECT_EQ(dense.Bitmap().devicePixelRatio(), 2.0) << id;
        CGdiPlusBitmapResource plain;
        ASSERT_TRUE(plain.Load(id, 1.0));
        EXPECT_EQ(dense.Bitmap().size(), (plain.Bitmap().size() - QSize(2, 2)) * 2 + QSize(2, 2))
            << id;
    }
    const struct { int id, w, h; } cases[] = {{161, 221, 29}, {143, 140, 37}, {501, 722, 587}};
    for (const auto& c : cases) {
        CSkinStretcher plain;
        const SkinRect content1x = DrawInto(plain, c.id, c.w, c.h);
        for (qreal ratio : {2.0, 1.5, 1.25}) {
            CMemCanvas canvas;
            ASSERT_TRUE(canvas.Create(c.w, c.h, ratio));
            EXPECT_EQ(canvas.Image().size(),
                      QSize(int(std::ceil(c.w * ratio)), int(std::ceil(c.h * ratio))));
            CSkinStretcher stretcher;
            SkinRect content;
            stretcher.DrawStretched(canvas, c.id, &content);
            EXPECT_EQ(content, content1x) << c.id << " at " << ratio;
            EXPECT_EQ(stretcher.ColumnAmounts(), plain.ColumnAmounts()) << c.id;
            // Opaque where the 1x drawing is opaque: the whole canvas is filled.
            const QImage& img = canvas.Image();
            EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255) << c.id;
        }
        // At 2 the two middle rows of a stretched button are the 2x picture's stretch row.
        if (c.id == 161) {
            CMemCanvas canvas;
            canvas.Create(c.w, c.h, 2.0);
            CSkinStretcher().DrawStretched(canvas, c.id);
            CGdiPlusBitmapResource dense;
            dense.Load(c.id, 2.0);
            const int row = 2 * (15 - 1) + 1; // the 2x marker row
            EXPECT_EQ(canvas.Image().pixel(c.w, row - 1), dense.Bitmap().pixel(7 * 2 - 1, row));
        }
    }
}

TEST(MemCanvas, SecondCreateIsRefusedAndKeepsTheFirstSize) {
    CMemCanvas canvas;
    EXPECT_FALSE(canvas.HasDeviceContext());
    ASSERT_TRUE(canvas.Create(10, 20));
    EXPECT_FALSE(canvas.Create(30, 40));
    EXPECT_EQ(canvas.Width(), 10);
    EXPECT_EQ(canvas.Image().height(), 20);
    canvas.Release();
    ASSERT_TRUE(canvas.Create(30, 40));
    EXPECT_EQ(canvas.Width(), 30);
}

TEST(Artwork, EveryImageIsPresentAtItsSizeWithItsMarkers) {
    struct Art {
        std::vector<int> ids;
        int w, h;
        int stretchColumn, stretchRow; // -1: drawn at natural size, no markers
        int contentTop, contentBottom, contentLeft, contentRight;
    };
    const std::vector<Art> table = {
        {{143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153, 154}, 14, 39, 6, 19, 2, 36, 6, 6},
        {{155, 156, 157, 158, 159, 160}, 29, 26, -1, -1, 0, 0, 0, 0},
        {{161, 162, 163}, 15, 31, 7, 15, 3, 27, 7, 7},
        {{164}, 29, 148, -1, -1, 0, 0, 0, 0},
        {{165, 166, 167}, 30, 26, -1, -1, 0, 0, 0, 0},
        {{168, 171}, 197, 94, -1, -1, 0, 0, 0, 0},
        {{169, 170}, 48, 30, -1, -1, 0, 0, 0, 0},
        {{172, 173, 174}, 231, 16, -1, -1, 0, 0, 0, 0},
        {{175, 176, 177, 178, 179}, 5, 17, 2, 8, 1, 15, 2, 2},
        {{501}, 29, 101, 14, 42, 2, 98, 2, 26},
    };
    auto black = [](QRgb c) { return qRed(c) == 0 && qGreen(c) == 0 && qBlue(c) == 0; };
    for (const Art& art : table) {
        for (int id : art.ids) {
            CGdiPlusBitmapResource bitmap;
            ASSERT_TRUE(bitmap.Load(id)) << id;
            const QImage& image = bitmap.Bitmap();
            ASSERT_EQ(image.size(), QSize(art.w, art.h)) << id;
            if (art.stretchColumn < 0) {
                continue;
            }
            for (int x = 0; x < art.w; ++x) {
                EXPECT_EQ(black(image.pixel(x, 0)), x == art.stretchColumn) << id << " top " << x;
                EXPECT_EQ(black(image.pixel(x, art.h - 1)),
                          x >= art.contentLeft && x <= art.contentRight)
                    << id << " bottom " << x;
            }
            for (int y = 0; y < art.h; ++y) {
                EXPECT_EQ(black(image.pixel(0, y)), y == art.stretchRow) << id << " left " << y;
                EXPECT_EQ(black(image.pixel(art.w - 1, y)),
                          y >= art.contentTop && y <= art.contentBottom)
                    << id << " right " << y;
            }
        }
    }
    EXPECT_TRUE(FindEmbeddedResource("ICON", "128"));
}

} // namespace
} // namespace dashcam
