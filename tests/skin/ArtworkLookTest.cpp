// What the artwork must show beyond sizes and markers: distinct control states and the colours
// of the partition bars.
#include <gtest/gtest.h>

#include <QColor>
#include <set>

#include "skin/CGdiPlusBitmapResource.h"

namespace dashcam {
namespace {

QImage Load(int id) {
    CGdiPlusBitmapResource image;
    EXPECT_TRUE(image.Load(id)) << id;
    return image.HasBitmap() ? image.Bitmap() : QImage();
}

TEST(ArtworkLook, StatesOfEachControlLookDifferent) {
    const std::vector<std::vector<int>> sets = {{143, 144, 145, 146}, {147, 148, 149, 150},
                                                {151, 152, 153, 154}, {155, 156, 157},
                                                {158, 159, 160},      {161, 162, 163}};
    for (const auto& set : sets) {
        std::set<QByteArray> looks;
        for (int id : set) {
            const QImage image = Load(id);
            looks.insert(
                QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
        }
        EXPECT_EQ(looks.size(), set.size()) << "images from " << set.front();
    }
}

TEST(ArtworkLook, PartitionBarsHaveTheirColourADarkerFrameAndALighterMiddle) {
    struct Hue {
        int id;
        int low, high;
    };
    // Green, yellow, orange, red (around 0), blue.
    for (const Hue& hue : {Hue{175, 90, 150}, Hue{176, 40, 65}, Hue{177, 15, 39}, Hue{178, -15, 10},
                           Hue{179, 195, 235}}) {
        SCOPED_TRACE(hue.id);
        const QImage image = Load(hue.id);
        for (int y = 2; y <= 14; ++y) {
            const QColor middle = QColor::fromRgba(image.pixel(2, y));
            const QColor frame = QColor::fromRgba(image.pixel(1, y));
            EXPECT_EQ(middle.alpha(), 255);
            EXPECT_GT(middle.lightness(), frame.lightness()) << "row " << y;
            int h = middle.hsvHue();
            h = h > 180 && hue.low < 0 ? h - 360 : h;
            EXPECT_GE(h, hue.low) << "row " << y;
            EXPECT_LE(h, hue.high) << "row " << y;
        }
        // The frame's top and bottom rows are darker than the middle too.
        EXPECT_LT(QColor::fromRgba(image.pixel(2, 1)).lightness(),
                  QColor::fromRgba(image.pixel(2, 8)).lightness());
        EXPECT_LT(QColor::fromRgba(image.pixel(2, 15)).lightness(),
                  QColor::fromRgba(image.pixel(2, 8)).lightness());
    }
}

} // namespace
} // namespace dashcam
