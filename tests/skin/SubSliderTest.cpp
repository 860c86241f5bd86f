#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWidget>

#include "skin/CSubSlider.h"

namespace dashcam {
namespace {

struct SubSliderTest : ::testing::Test {
    SubSliderTest() {
        page.resize(500, 200);
        page.show();
    }
    CSubSlider* MakeSlider(int width, int maximum, int minimum = 0) {
        auto* slider = new CSubSlider(&page);
        slider->setGeometry(20, 20, width, 55);
        slider->setRange(minimum, maximum);
        slider->show();
        return slider;
    }
    static void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button,
                     Qt::MouseButtons held) {
        QMouseEvent event(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    }
    static std::vector<int> Positions(const QSignalSpy& spy) {
        std::vector<int> positions;
        for (const QList<QVariant>& call : spy) {
            positions.push_back(call.at(0).toInt());
        }
        return positions;
    }
    // The centre of label i's text as placed, and its box's right edge less that centre.
    static int Centre(const CSubSlider& slider, const CSubSlider::PlacedLabel& label,
                      const QString& text) {
        return label.rect.left() + QFontMetrics(slider.LabelFont()).size(0, text).width() / 2;
    }

    QWidget page;
};

TEST_F(SubSliderTest, TooltipShowsTheValueOfTheKindsTable) {
    CSubSlider* slider = MakeSlider(350, 7);
    const auto text = [&](int kind, int position) {
        slider->SetValueKind(kind);
        slider->SetPosition(position);
        return slider->ValueText().toStdString();
    };
    EXPECT_EQ(text(CSubSlider::kStopVoltage12, 3), "11.9");
    EXPECT_EQ(text(CSubSlider::kStopVoltage12, 0), "11.6");
    EXPECT_EQ(text(CSubSlider::kStopVoltage24, 7), "24.6");
    EXPECT_EQ(text(CSubSlider::kStopVoltage24, 4), "24.0");
    EXPECT_EQ(text(CSubSlider::kMotionLevels, 1), "1");
    EXPECT_EQ(text(CSubSlider::kMotionLevels, 3), "5");
    EXPECT_EQ(text(CSubSlider::kTimerHours, 0), "6");
    EXPECT_EQ(text(CSubSlider::kStopTimerHours, 3), "48");
    EXPECT_EQ(text(CSubSlider::kPlainPosition, 2), "2");
    EXPECT_EQ(text(9, 6), "6");
    // Beyond its table a kind shows the position itself.
    EXPECT_EQ(text(CSubSlider::kMotionLevels, 6), "6");
}

TEST_F(SubSliderTest, FlagsChooseWhichLabelsStandUnderWhichTicks) {
    CSubSlider* slider = MakeSlider(300, 7);
    const QStringList volts = {"11.6V", "11.7V", "11.8V", "11.9V",
                               "12.0V", "12.1V", "12.2V", "12.3V "};
    slider->SetTickLabels(volts, CSubSlider::kFirstAndLast | CSubSlider::kUpperMiddle);
    // step = 273 / 7 = 39: first, last and (n + 1) / 2 at 14, 287 and 170.
    std::vector<CSubSlider::PlacedLabel> placed = slider->PlacedLabels();
    ASSERT_EQ(placed.size(), 3u);
    const int expected[][2] = {{0, 14}, {7, 287}, {4, 170}};
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_EQ(placed[i].index, expected[i][0]);
        const int x = expected[i][1];
        const int tw = QFontMetrics(slider->LabelFont()).size(0, volts[placed[i].index]).width();
        EXPECT_EQ(placed[i].rect.left(), x - tw / 2);
        EXPECT_EQ(placed[i].rect.left() + placed[i].rect.width(), x + tw);
        EXPECT_EQ(placed[i].rect.bottom(), slider->height() - 1);
    }
    // The channel, thumb and ticks stay above the labels.
    EXPECT_LT(slider->ThumbRect().bottom(), placed[0].rect.top());

    // Flags 9 on five labels: first, last and (n - 1) / 2.
    CSubSlider* five = MakeSlider(350, 4, 0);
    five->SetTickLabels({"1", "2", "3", "4", "5"},
                        CSubSlider::kFirstAndLast | CSubSlider::kLowerMiddle);
    placed = five->PlacedLabels();
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[2].index, 2);
    EXPECT_EQ(Centre(*five, placed[2], "3"), 14 + 2 * 323 / 4);
}

TEST_F(SubSliderTest, EveryLabelFlagSpreadsAllLabelsAndIgnoresTheOthers) {
    for (int flags : {0x10, 0x10 | 0x08}) {
        CSubSlider* slider = MakeSlider(350, 3);
        const QStringList labels = {"OFF", "1", "3", "5"};
        slider->SetTickLabels(labels, flags);
        const std::vector<CSubSlider::PlacedLabel> placed = slider->PlacedLabels();
        ASSERT_EQ(placed.size(), 4u) << flags;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(placed[i].index, i);
            const float x = 14.0f + static_cast<float>(i) * (323.0f / 3.0f);
            EXPECT_NEAR(Centre(*slider, placed[i], labels[i]), x, 1.0) << i;
        }
    }
    // A second call appends: six labels spread as six.
    CSubSlider* twice = MakeSlider(350, 5);
    twice->SetTickLabels({"a", "b", "c"}, CSubSlider::kEveryLabel);
    twice->SetTickLabels({"d", "e", "f"}, CSubSlider::kEveryLabel);
    const std::vector<CSubSlider::PlacedLabel> six = twice->PlacedLabels();
    ASSERT_EQ(six.size(), 6u);
    EXPECT_NEAR(Centre(*twice, six[5], "f"), 14 + 323, 1.0);
    // Without labels nothing is drawn; labels the list lacks are left out.
    CSubSlider* bare = MakeSlider(350, 2);
    bare->SetTickLabels({}, CSubSlider::kEveryLabel);
    EXPECT_TRUE(bare->PlacedLabels().empty());
    CSubSlider* single = MakeSlider(350, 2);
    single->SetTickLabels({"x"}, CSubSlider::kFirstAndLast | CSubSlider::kUpperMiddle);
    ASSERT_EQ(single->PlacedLabels().size(), 1u);
    EXPECT_EQ(Centre(*single, single->PlacedLabels()[0], "x"), 14);
}

TEST_F(SubSliderTest, LabelsArePaintedUnderTheChannel) {
    CSubSlider* plain = MakeSlider(350, 3);
    CSubSlider* labelled = MakeSlider(350, 3);
    labelled->SetTickLabels({"OFF", "1", "3", "5"}, CSubSlider::kEveryLabel);
    const QImage look = labelled->grab().toImage();
    const QRect box = labelled->PlacedLabels()[0].rect;
    int inked = 0;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = std::max(box.left(), 0); x <= box.right(); ++x) {
            inked += qGray(look.pixel(x, y)) < 128;
        }
    }
    EXPECT_GT(inked, 5);
    EXPECT_NE(look, plain->grab().toImage());
}

TEST_F(SubSliderTest, OnlyUserActionsAreReportedAtEveryPosition) {
    CSubSlider* slider = MakeSlider(350, 3);
    QSignalSpy moves(slider, &CSubSlider::userMoved);
    slider->SetPosition(2);
    EXPECT_EQ(slider->GetPosition(), 2);
    EXPECT_EQ(moves.count(), 0);

    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_End); // already at the end: still the user's notification
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(Positions(moves), (std::vector<int>{3, 3, 0}));
    moves.clear();

    // A drag from 0 to 3 reports each position it passes, then the release.
    const QPoint start = slider->ThumbRect().center();
    const int step = 322 / 3;
    Send(slider, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int i = 1; i <= 3; ++i) {
        Send(slider, QEvent::MouseMove, start + QPoint(i * step, 0), Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(slider->GetPosition(), i);
    }
    Send(slider, QEvent::MouseButtonRelease, start + QPoint(3 * step, 0), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_EQ(Positions(moves), (std::vector<int>{1, 2, 3, 3}));
    moves.clear();

    // A click on the channel left of the thumb steps one position towards it.
    const QPoint channel(30, slider->ThumbRect().center().y());
    Send(slider, QEvent::MouseButtonPress, channel, Qt::LeftButton, Qt::LeftButton);
    Send(slider, QEvent::MouseButtonRelease, channel, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Positions(moves), (std::vector<int>{2}));
}

TEST_F(SubSliderTest, WheelMovesTheSliderOnlyWhileItHasTheFocus) {
    CSubSlider* slider = MakeSlider(350, 3);
    CSubSlider* other = MakeSlider(350, 3);
    other->setFocus();
    QSignalSpy moves(slider, &CSubSlider::userMoved);
    const QPoint at = slider->ThumbRect().center();
    const auto wheel = [&] {
        QWheelEvent event(at, slider->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(slider, &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(wheel());
    EXPECT_EQ(slider->GetPosition(), 0);
    slider->setFocus();
    EXPECT_TRUE(wheel());
    EXPECT_EQ(slider->GetPosition(), 1);
    EXPECT_EQ(Positions(moves), (std::vector<int>{1}));
    // At the end of its range the focused slider still keeps the wheel from the page.
    slider->SetPosition(3);
    EXPECT_TRUE(wheel());
    EXPECT_EQ(slider->GetPosition(), 3);
}

TEST_F(SubSliderTest, TooltipFollowsTheDragAndAnswersHover) {
    CSubSlider* slider = MakeSlider(350, 7);
    slider->SetValueKind(CSubSlider::kStopVoltage24);
    slider->SetPosition(3);
    const QPoint start = slider->ThumbRect().center();
    Send(slider, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    Send(slider, QEvent::MouseMove, start + QPoint(322 / 7, 0), Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text().toStdString(), "24.0");
    Send(slider, QEvent::MouseButtonRelease, start + QPoint(322 / 7, 0), Qt::LeftButton,
         Qt::NoButton);
    EXPECT_FALSE(QToolTip::isVisible());

    slider->SetPosition(7);
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), slider->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(slider, &hover);
    EXPECT_EQ(QToolTip::text().toStdString(), "24.6");
    QToolTip::hideText();
}

} // namespace
} // namespace dashcam
