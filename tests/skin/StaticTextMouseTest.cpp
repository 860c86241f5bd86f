// CRStaticText over a real background, driven through the window system's mouse routing.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "SkinHost.h"
#include "skin/AlphaText.h"
#include "skin/CRStaticText.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {
namespace {

const QRect kTitleRect(11, 7, 400, 20);

SkinTextStyle TitleStyle(int alignment = 0) {
    return {"Memory Card Settings",
            Rgb(214, 223, 233),
            Rgb(255, 255, 255),
            Rgb(255, 255, 255),
            13,
            alignment};
}

// The label's look built independently: background copy, optional image, then the text.
QImage ExpectedLabel(const test::SkinHost& host, QRect rect, int imageId, const QFont& font,
                     const SkinTextStyle& style) {
    CMemCanvas look;
    look.Create(rect.width(), rect.height());
    {
        QPainter painter(&look.Image());
        painter.drawImage(QPoint(0, 0), host.Background().Image(), rect);
    }
    SkinRect textRect{0, 0, rect.width(), rect.height()};
    if (imageId != 0) {
        CMemCanvas image;
        image.Create(rect.width(), rect.height());
        CSkinStretcher().DrawStretched(image, imageId, &textRect);
        QPainter(&look.Image()).drawImage(QPoint(0, 0), image.Image());
    }
    DrawTextAlpha(look, style.text, font, textRect, style.colorA, style.alignment);
    return look.Image();
}

TEST(StaticTextMouse, TitleIsTheAlphaTextOverTheBackgroundCopy) {
    test::SkinHost host(QSize(722, 100));
    host.ShowAndWait();
    const QFont font = TahomaFont(13, 700);
    const SkinTextStyle style = TitleStyle();
    CRStaticText title(&host, 2001, kTitleRect);
    title.SetTextSkin(0, font, &host.Background(), &style);
    EXPECT_EQ(title.TextRect(), (SkinRect{0, 0, 400, 20}));
    const QImage shown = test::Grab(title);
    EXPECT_EQ(shown, ExpectedLabel(host, kTitleRect, 0, font, style));

    // At the left edge, centred vertically.
    const QRect text =
        test::DifferenceBounds(shown, ExpectedLabel(host, kTitleRect, 0, font, SkinTextStyle{}));
    const int height = QFontMetrics(font).height();
    EXPECT_LE(text.left(), 2);
    EXPECT_GE(text.top(), (20 - height) / 2);
    EXPECT_LE(text.bottom(), (20 - height) / 2 + height);

    // A skin image gives the text its content rectangle.
    const QRect boxRect(20, 40, 221, 29);
    const SkinTextStyle centred = TitleStyle(1);
    CRStaticText box(&host, 7, boxRect);
    box.SetTextSkin(161, font, &host.Background(), &centred);
    EXPECT_EQ(box.TextRect(), (SkinRect{7, 3, 217, 28}));
    EXPECT_EQ(test::Grab(box), ExpectedLabel(host, boxRect, 161, font, centred));
}

TEST(StaticTextMouse, MovesPressesAndReleasesReachTheParentInTheLabelsCoordinates) {
    test::SkinHost host(QSize(500, 100));
    host.ShowAndWait();
    const SkinTextStyle style = TitleStyle();
    CRStaticText title(&host, 2001, kTitleRect);
    title.SetTextSkin(0, TahomaFont(13, 700), &host.Background(), &style);
    QWindow* window = host.windowHandle();
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(450, 90)); // no button held
    host.mouse.clear();

    QTest::mouseMove(window, QPoint(40, 15));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(40, 15));
    QTest::mouseMove(window, QPoint(60, 17));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(60, 17));

    using Record = test::SkinHost::MouseRecord;
    std::vector<Record> seen;
    for (const Record& r : host.mouse) {
        if (seen.empty() || r.type != seen.back().type || r.position != seen.back().position) {
            seen.push_back(r);
        }
    }
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].type, QEvent::MouseMove);
    EXPECT_EQ(seen[0].position, QPoint(29, 8));
    EXPECT_EQ(seen[1].type, QEvent::MouseButtonPress);
    EXPECT_EQ(seen[1].position, QPoint(29, 8));
    EXPECT_EQ(seen[1].button, Qt::LeftButton);
    EXPECT_EQ(seen[2].type, QEvent::MouseMove);
    EXPECT_EQ(seen[2].position, QPoint(49, 10));
    EXPECT_EQ(seen[3].type, QEvent::MouseButtonRelease);
    EXPECT_EQ(seen[3].position, QPoint(49, 10));
}

} // namespace
} // namespace dashcam
