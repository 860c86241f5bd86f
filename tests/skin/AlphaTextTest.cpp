#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "skin/AlphaText.h"
#include "skin/CRStaticText.h"

namespace dashcam {
namespace {

TEST(AlphaText, FullCoverageOfWhiteIs254WithOpaqueAlpha) {
    const auto bitmap =
        RenderTextBitmap("\u2588\u2588 MW", TahomaFont(30, 700), Rgb(255, 255, 255));
    ASSERT_TRUE(bitmap);
    bool full = false;
    for (int y = 0; y < bitmap->height(); ++y) {
        for (int x = 0; x < bitmap->width(); ++x) {
            const QRgb p = bitmap->pixel(x, y);
            // premultiplied storage: every channel at most alpha, 254 where alpha is 255
            ASSERT_LE(qRed(p), qAlpha(p));
            if (qAlpha(p) == 255) {
                EXPECT_EQ(qRed(p), 254);
                full = true;
            }
        }
    }
    EXPECT_TRUE(full);
    EXPECT_FALSE(RenderTextBitmap("", TahomaFont(13, 700), Rgb(255, 255, 255)));
}

TEST(AlphaText, CoverageBecomesAlphaPremultipliedByTheColour) {
    const auto text = RenderTextBitmap("HIM", TahomaFont(40, 700), Rgb(200, 100, 50));
    ASSERT_TRUE(text);
    int full = 0, partial = 0;
    for (int y = 0; y < text->height(); ++y) {
        for (int x = 0; x < text->width(); ++x) {
            const QRgb p = text->pixel(x, y);
            const unsigned v = qAlpha(p);
            ASSERT_EQ(qRed(p), int((200 * v) >> 8));
            ASSERT_EQ(qGreen(p), int((100 * v) >> 8));
            ASSERT_EQ(qBlue(p), int((50 * v) >> 8));
            full += v == 255;
            partial += v > 0 && v < 255;
        }
    }
    EXPECT_GT(full, 100); // the bold stems are fully covered
    EXPECT_GT(partial, 0);

    // Blended over black, white at full coverage gives 254 in every channel.
    CMemCanvas canvas;
    ASSERT_TRUE(canvas.Create(200, 60));
    canvas.Image().fill(qRgba(0, 0, 0, 255));
    DrawTextAlpha(canvas, "HIM", TahomaFont(40, 700), {0, 0, 200, 60}, Rgb(255, 255, 255), 0);
    bool found = false;
    for (int y = 0; y < 60 && !found; ++y) {
        for (int x = 0; x < 200 && !found; ++x) {
            found = canvas.Image().pixel(x, y) == qRgba(254, 254, 254, 255);
        }
    }
    EXPECT_TRUE(found);
}

// The skin's heights are Windows character cells. fonts-wine's Tahoma has 2048 units per em and
// a cell of 2049 + 423 units: 13 gives an em of 11 pixels (10.77), 14 one of 12 (11.60).
TEST(TahomaFont, HeightIsTheWindowsCharacterCell) {
    EXPECT_EQ(TahomaFont(13, 700).pixelSize(), 11);
    EXPECT_EQ(TahomaFont(13, 400).pixelSize(), 11);
    EXPECT_EQ(TahomaFont(14, 700).pixelSize(), 12);
    EXPECT_EQ(QFontInfo(TahomaFont(13, 700)).family(), QStringLiteral("Tahoma"));
    EXPECT_TRUE(QFontInfo(TahomaFont(13, 700)).bold());
    EXPECT_FALSE(QFontInfo(TahomaFont(13, 400)).bold());
    // Korean, Japanese and Chinese letters come from the CJK fallback at the same em; by its own
    // cell (2048 units per em, 1918 + 483) the rule gives it that em too (11.09 and 11.94).
    QFont cjk(QStringLiteral("WenQuanYi Micro Hei"));
    if (QFontInfo(cjk).family() != cjk.family()) {
        GTEST_SKIP() << "fonts-wqy-microhei is missing";
    }
    EXPECT_EQ(EmForCellHeight(cjk, 13), 11);
    EXPECT_EQ(EmForCellHeight(cjk, 14), 12);
}

TEST(AlphaText, PlacementInItsRectangle) {
    const QFont font = TahomaFont(13, 700);
    const auto bitmap = RenderTextBitmap("Dash cam", font, Rgb(255, 255, 255));
    ASSERT_TRUE(bitmap);
    auto leftmostInk = [](const QImage& image) {
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0; y < image.height(); ++y) {
                if (qAlpha(image.pixel(x, y)) != 0) {
                    return x;
                }
            }
        }
        return -1;
    };
    const int inkInBitmap = leftmostInk(*bitmap);
    const int w = bitmap->width();
    for (int width : {400, 401}) {
        CMemCanvas canvas;
        canvas.Create(500, 40);
        DrawTextAlpha(canvas, "Dash cam", font, {50, 0, 50 + width, 40}, Rgb(255, 255, 255), 1);
        const int e = width - w;
        EXPECT_EQ(leftmostInk(canvas.Image()), 50 + e / 2 + e % 2 + inkInBitmap) << width;
    }
    CMemCanvas narrow;
    narrow.Create(500, 40);
    DrawTextAlpha(narrow, "Dash cam", font, {50, 0, 55, 5}, Rgb(255, 255, 255), 1);
    EXPECT_EQ(leftmostInk(narrow.Image()), 50 + inkInBitmap); // wider than its rectangle
}

class PressRecorder : public QWidget {
public:
    void mousePressEvent(QMouseEvent* event) override {
        presses.push_back(event->position().toPoint());
    }
    std::vector<QPoint> presses;
};

TEST(StaticText, MousePressReachesTheParentInLabelCoordinates) {
    PressRecorder parent;
    parent.resize(722, 100);
    CMemCanvas background;
    background.Create(722, 100);
    background.Image().fill(QColor(40, 50, 60));
    CRStaticText title(&parent, 2001, QRect(11, 7, 400, 20));
    const SkinTextStyle style{
        "Dash cam setting", Rgb(214, 223, 233), Rgb(255, 255, 255), Rgb(255, 255, 255), 13, 0};
    title.SetTextSkin(0, TahomaFont(13, 700), &background, &style);
    parent.show();
    QTest::mousePress(&title, Qt::LeftButton, {}, QPoint(5, 6));
    QTest::mouseRelease(&title, Qt::LeftButton, {}, QPoint(5, 6));
    ASSERT_EQ(parent.presses.size(), 1u);
    EXPECT_EQ(parent.presses[0], QPoint(5, 6));

    const QImage look = title.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(look.pixel(399, 0), qRgb(40, 50, 60));
    bool text = false;
    for (int x = 0; x < 100 && !text; ++x) {
        for (int y = 0; y < 20 && !text; ++y) {
            text = look.pixel(x, y) != qRgb(40, 50, 60);
        }
    }
    EXPECT_TRUE(text);
}

} // namespace
} // namespace dashcam
