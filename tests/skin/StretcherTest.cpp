#include <gtest/gtest.h>

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
