// CRButton driven through the window system's own mouse routing (enter, leave, implicit grab),
// with every look compared pixel for pixel with the skin images composed over the background.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "SkinHost.h"
#include "skin/CRButton.h"
#include "skin/CTBalloon.h"

namespace dashcam {
namespace {

using test::ComposedLook;
using test::DifferenceBounds;
using test::Grab;

const QRect kCommandRect(8, 100, 221, 29);
const QRect kTabRect(11, 48, 140, 37);

class ButtonMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.ShowAndWait();
        // Qt's test input remembers held buttons across tests; start with none held.
        QTest::mouseRelease(Window(), Qt::LeftButton, {}, outside);
    }

    // A command button skinned with images 161 to 163, without caption unless given.
    CRButton& CommandButton(const SkinTextStyle* style = nullptr, int disabledId = 0) {
        button = std::make_unique<CRButton>(&host, 2302, kCommandRect);
        button->SetSkin(161, 162, 163, &host.Background(), style, disabledId);
        QCoreApplication::processEvents();
        return *button;
    }

    QImage Look(int pngId, const QRect& rect = kCommandRect) const {
        return ComposedLook(host.Background(), rect, pngId);
    }

    QWindow* Window() { return host.windowHandle(); }
    const QPoint inside = kCommandRect.center();
    const QPoint outside{300, 180};

    test::SkinHost host;
    std::unique_ptr<CRButton> button;
};

TEST_F(ButtonMouseTest, MouseOverChangesToHoverOnceAndLeavingReturnsToNormal) {
    CRButton& b = CommandButton();
    EXPECT_EQ(Grab(b), Look(161));
    test::PaintCounter paints(b);

    QTest::mouseMove(Window(), inside);
    EXPECT_EQ(b.CurrentState(), CRButton::kHover);
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(Grab(b), Look(162));
    const int afterHover = paints.count;
    QTest::mouseMove(Window(), inside + QPoint(5, 2));
    QTest::mouseMove(Window(), inside + QPoint(-7, 1));
    EXPECT_EQ(paints.count, afterHover);

    QTest::mouseMove(Window(), outside);
    EXPECT_EQ(b.CurrentState(), CRButton::kNormal);
    EXPECT_EQ(Grab(b), Look(161));
}

TEST_F(ButtonMouseTest, PressShowsPressedAndReleaseOnTheButtonPostsItsId) {
    CRButton& b = CommandButton();
    QSignalSpy clicks(&b, &CRButton::clicked);
    QTest::mouseMove(Window(), inside);
    QTest::mousePress(Window(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(b.CurrentState(), CRButton::kPressed);
    EXPECT_EQ(Grab(b), Look(163));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, inside);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 2302);
    EXPECT_EQ(b.CurrentState(), CRButton::kHover);
    EXPECT_EQ(Grab(b), Look(162));
}

TEST_F(ButtonMouseTest, APressAndReleaseThatDoNotBothHitTheButtonPostNothing) {
    CRButton& b = CommandButton();
    QSignalSpy clicks(&b, &CRButton::clicked);

    // A window drag that starts on the background and ends over the button.
    QTest::mousePress(Window(), Qt::LeftButton, {}, outside);
    QTest::mouseMove(Window(), inside);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, inside);
    EXPECT_EQ(clicks.count(), 0);

    // A press on the button that is released elsewhere: no click, and the normal look returns.
    QTest::mouseMove(Window(), inside);
    QTest::mousePress(Window(), Qt::LeftButton, {}, inside);
    QTest::mouseMove(Window(), outside);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, outside);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(b.CurrentState(), CRButton::kNormal);
    EXPECT_EQ(Grab(b), Look(161));

    // A right-button click is not a click either.
    QTest::mouseClick(Window(), Qt::RightButton, {}, inside);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ButtonMouseTest, SelectedTabKeepsItsLookUnderTheMouse) {
    CRButton tab(&host, 2203, kTabRect);
    tab.SetSelectedImage(154);
    tab.SetSkin(143, 144, 145, &host.Background(), nullptr);
    tab.SetSelected(true);
    QSignalSpy clicks(&tab, &CRButton::clicked);
    const QImage selected = Look(154, kTabRect);
    EXPECT_EQ(Grab(tab), selected);

    QTest::mouseMove(Window(), kTabRect.center());
    EXPECT_EQ(tab.CurrentState(), CRButton::kSelected);
    EXPECT_EQ(Grab(tab), selected);

    // Pressed, then dragged off and released: no click, and the tab shows itself selected
    // again rather than keeping the pressed look with nothing to end it.
    QTest::mousePress(Window(), Qt::LeftButton, {}, kTabRect.center());
    EXPECT_EQ(Grab(tab), Look(145, kTabRect));
    QTest::mouseMove(Window(), outside);
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, outside);
    QCoreApplication::processEvents();
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(tab.CurrentState(), CRButton::kSelected);
    EXPECT_EQ(Grab(tab), selected);

    tab.SetSelected(false);
    EXPECT_EQ(Grab(tab), Look(143, kTabRect));
}

TEST_F(ButtonMouseTest, DisabledLookStaysWhenTheMouseLeaves) {
    CRButton& b = CommandButton(nullptr, 163);
    QTest::mouseMove(Window(), inside);
    b.setEnabled(false);
    EXPECT_EQ(b.CurrentState(), CRButton::kDisabled);
    QTest::mouseMove(Window(), outside);
    EXPECT_EQ(b.CurrentState(), CRButton::kDisabled);
    EXPECT_EQ(Grab(b), Look(163));
    b.setEnabled(true);
    EXPECT_EQ(b.CurrentState(), CRButton::kNormal);
    EXPECT_EQ(Grab(b), Look(161));
}

TEST_F(ButtonMouseTest, PlainSkinShowsEachStateImageAtItsNaturalSize) {
    const QRect rect(300, 10, 29, 26);
    CRButton close(&host, 2301, rect);
    close.SetPlainSkin(158, 159, 160, &host.Background());
    EXPECT_EQ(Grab(close), ComposedLook(host.Background(), rect, 158, true));
    QTest::mouseMove(Window(), rect.center());
    EXPECT_EQ(Grab(close), ComposedLook(host.Background(), rect, 159, true));
    QTest::mousePress(Window(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(Grab(close), ComposedLook(host.Background(), rect, 160, true));
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, rect.center());
}

// The pixel where the caption differs most from the look without it.
QRgb StrongestCaptionPixel(const QImage& shown, const QImage& look) {
    int best = -1;
    QRgb strongest = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = shown.pixel(x, y), b = look.pixel(x, y);
            const int d = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
            if (d > best) {
                best = d;
                strongest = a;
            }
        }
    }
    return strongest;
}

int Distance(QRgb p, SkinColor c) {
    const QColor q = ToQColor(c);
    return std::abs(qRed(p) - q.red()) + std::abs(qGreen(p) - q.green()) +
           std::abs(qBlue(p) - q.blue());
}

TEST_F(ButtonMouseTest, CaptionTakesTheColourOfTheStateAndItsPlace) {
    SkinTextStyle style{"Initialize", Rgb(200, 0, 0), Rgb(0, 150, 0), Rgb(0, 0, 220), 13, 1};
    CRButton& b = CommandButton(&style);
    EXPECT_EQ(b.CaptionRect(), (SkinRect{7, 3, 217, 28}));

    auto expectColour = [&](int pngId, SkinColor wanted, const char* state) {
        const QRgb p = StrongestCaptionPixel(Grab(b), Look(pngId));
        for (SkinColor other : {style.colorA, style.colorB, style.colorC}) {
            if (other != wanted) {
                EXPECT_LT(Distance(p, wanted), Distance(p, other)) << state;
            }
        }
    };
    expectColour(161, style.colorA, "normal");
    // Centred: the text starts at 3 + (28 - 13 - 3) / 2 = 9 and has equal margins.
    const QRect centred = DifferenceBounds(Grab(b), Look(161));
    EXPECT_GE(centred.top(), 9);
    EXPECT_LE(centred.bottom(), 27);
    EXPECT_LE(std::abs((centred.left() - 7) - (216 - centred.right())), 2);

    QTest::mouseMove(Window(), inside);
    expectColour(162, style.colorB, "hover");
    QTest::mousePress(Window(), Qt::LeftButton, {}, inside);
    expectColour(163, style.colorC, "pressed");
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, inside);

    style.alignment = 0;
    CRButton& left = CommandButton(&style);
    QTest::mouseMove(Window(), outside);
    const QRect topLeft = DifferenceBounds(Grab(left), Look(161));
    EXPECT_GE(topLeft.left(), 7);
    EXPECT_LE(topLeft.left(), 9);
    EXPECT_GE(topLeft.top(), 3);
    EXPECT_LE(topLeft.top(), 7);
}

CTBalloon* ShownBalloon() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* balloon = qobject_cast<CTBalloon*>(w); balloon && balloon->isVisible()) {
            return balloon;
        }
    }
    return nullptr;
}

TEST_F(ButtonMouseTest, TooltipTextShowsABalloonThatFitsItBelowTheButton) {
    CRButton& b = CommandButton();
    QTest::mouseMove(Window(), inside);
    EXPECT_EQ(ShownBalloon(), nullptr); // no tooltip text, no balloon
    QTest::mouseMove(Window(), outside);

    b.SetTooltipText("Restores the factory settings");
    QTest::mouseMove(Window(), inside);
    CTBalloon* balloon = ShownBalloon();
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(balloon->pos(), b.mapToGlobal(QPoint(0, kCommandRect.height())) + QPoint(8, 8));
    EXPECT_GT(balloon->width(), 100);
    EXPECT_LT(balloon->width(), 400);
    EXPECT_LT(balloon->height(), 40);
    QTest::mouseMove(Window(), outside);
    EXPECT_EQ(ShownBalloon(), nullptr);
}

} // namespace
} // namespace dashcam
