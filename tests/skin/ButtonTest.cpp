#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "skin/AlphaText.h"
#include "skin/CRButton.h"
#include "skin/CSkinStretcher.h"
#include "tests/support/CapHeight.h"

namespace dashcam {
namespace {

struct ButtonTest : ::testing::Test {
    ButtonTest() {
        parent.resize(400, 200);
        background.Create(400, 200);
        background.Image().fill(QColor(10, 20, 30));
        parent.show();
    }
    CRButton* MakeTab(int id) {
        auto* tab = new CRButton(&parent, id, QRect(11, 48, 140, 37));
        const SkinTextStyle style{
            "Camera", Rgb(119, 148, 177), Rgb(119, 148, 177), Rgb(255, 255, 255), 13, 1};
        tab->SetSelectedImage(154);
        tab->SetSkin(143, 144, 145, &background, &style);
        return tab;
    }
    static QImage Look(QWidget* w) {
        return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static void Move(QWidget* w, QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(w, &move);
    }

    QWidget parent;
    CMemCanvas background;
};

TEST_F(ButtonTest, HoverOncePressAndReleasePostTheId) {
    CRButton* button = MakeTab(2200);
    QSignalSpy clicks(button, &CRButton::clicked);
    const QImage normal = Look(button);
    Move(button, QPoint(20, 10));
    EXPECT_EQ(button->CurrentState(), CRButton::kHover);
    const QImage hover = Look(button);
    EXPECT_NE(hover, normal);
    Move(button, QPoint(30, 12));
    EXPECT_EQ(Look(button), hover);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(button->CurrentState(), CRButton::kPressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicks.count(), 0); // posted, not sent
    QCoreApplication::processEvents();
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2200);
    EXPECT_EQ(button->CurrentState(), CRButton::kHover);

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->CurrentState(), CRButton::kNormal);
    EXPECT_EQ(Look(button), normal);
}

TEST_F(ButtonTest, ClickNeedsPressAndReleaseOnTheButton) {
    CRButton* button = MakeTab(2201);
    QSignalSpy clicks(button, &CRButton::clicked);
    // Pressed on the button, released outside: nothing, and the pressed look stays.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(300, 150));
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button->CurrentState(), CRButton::kPressed);
    // A release that arrives without a press on the button (a drag ending over it) is no click.
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ButtonTest, SelectedLookStaysUnderTheMouseAndUsesColourC) {
    CRButton* selected = MakeTab(2203);
    CRButton* plain = MakeTab(2200);
    plain->move(151, 48);
    selected->SetSelected(true);
    const QImage look = Look(selected);
    Move(selected, QPoint(20, 10));
    EXPECT_EQ(selected->CurrentState(), CRButton::kSelected);
    EXPECT_EQ(Look(selected), look);
    EXPECT_NE(look, Look(plain));
    QSignalSpy clicks(selected, &CRButton::clicked);
    QTest::mouseClick(selected, Qt::LeftButton, {}, QPoint(20, 10));
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(selected->CurrentState(), CRButton::kPressed); // until the parent selects it again
    selected->SetSelected(true);
    EXPECT_EQ(Look(selected), look);
    // White caption pixels exist on the selected tab (at an em of 11 pixels no pixel is wholly
    // inside a stroke, so they are near white).
    bool white = false;
    for (int x = 0; x < look.width() && !white; ++x) {
        for (int y = 0; y < look.height() && !white; ++y) {
            const QRgb p = look.pixel(x, y);
            white = qRed(p) >= 240 && qGreen(p) >= 240 && qBlue(p) >= 240;
        }
    }
    EXPECT_TRUE(white);
}

TEST_F(ButtonTest, CaptionRectangleAndDisablingWithoutAnImage) {
    CRButton button(&parent, 2304, QRect(100, 150, 221, 29));
    const SkinTextStyle style{
        "Save", Rgb(200, 200, 200), Rgb(255, 255, 255), Rgb(255, 255, 255), 13, 1};
    button.SetSkin(161, 162, 163, &background, &style);
    EXPECT_EQ(button.CaptionRect(), (SkinRect{7, 3, 217, 28}));
    EXPECT_EQ(button.CaptionFont().pixelSize(), TahomaFont(13, 700).pixelSize());

    // A caption too wide for its rectangle is drawn smaller rather than clipped at both ends.
    CRButton tab(&parent, 2000, QRect(11, 48, 140, 37));
    const SkinTextStyle longCaption{"Memory Card Setting Memory",
                                    Rgb(119, 148, 177),
                                    Rgb(119, 148, 177),
                                    Rgb(255, 255, 255),
                                    13,
                                    1};
    tab.SetSkin(143, 144, 145, &background, &longCaption);
    const SkinRect r = tab.CaptionRect();
    EXPECT_LT(tab.CaptionFont().pixelSize(), TahomaFont(13, 700).pixelSize());
    EXPECT_LE(QFontMetrics(tab.CaptionFont()).horizontalAdvance(longCaption.text),
              r.right - r.left);
    const QImage look = Look(&button);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentState(), CRButton::kNormal);
    EXPECT_EQ(Look(&button), look);
}

// A tab's caption height 13 is a character cell, not an em: its capitals stand about 7.8
// pixels tall.
TEST_F(ButtonTest, TabCaptionCapitalsHaveTheCellHeightRule) {
    auto tab = [&](const char* text) {
        auto* made = new CRButton(&parent, 2200, QRect(151, 48, 140, 37));
        const SkinTextStyle style{text, Rgb(0, 0, 0), Rgb(0, 0, 0), Rgb(0, 0, 0), 13, 1};
        made->SetSkin(147, 148, 149, &background, &style);
        return Look(made);
    };
    const int rows = test::InkRows(tab("H"), tab(""));
    EXPECT_NEAR(rows, test::TahomaCapHeightForCell(13), 1.0);
}

TEST_F(ButtonTest, DisabledImageIsShownWhileDisabled) {
    CRButton button(&parent, 2302, QRect(100, 150, 221, 29));
    button.SetSkin(161, 162, 163, &background, nullptr, 163);
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentState(), CRButton::kDisabled);
    button.setEnabled(true);
    EXPECT_EQ(button.CurrentState(), CRButton::kNormal);
}

TEST_F(ButtonTest, PlainSkinShowsTheImageOverTheBackground) {
    CRButton button(&parent, 2301, QRect(300, 10, 29, 26));
    button.SetPlainSkin(158, 159, 160, &background);
    const QImage look = Look(&button);
    EXPECT_EQ(look.size(), QSize(29, 26));
    EXPECT_EQ(look.pixel(0, 0), qRgb(10, 20, 30)); // transparent corner shows the background
}

} // namespace
} // namespace dashcam
