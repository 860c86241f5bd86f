#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpontaneKeyEvent>
#include <QTest>

#include "pages/CCommonDlg.h"
#include "pages/CEtcDlg.h"
#include "pages/CNormalDlg.h"
#include "pages/CParkingDlg.h"
#include "pages/CSystemDlg.h"
#include "tests/support/CapHeight.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

class SamplePage : public CBaseDialog {
public:
    explicit SamplePage(AppContext& context) : CBaseDialog(context, 999, 998, 50, 80) {}
    void LoadFromRecord() override {}
    QLabel* title = nullptr;
    QLabel* hiddenTitle = nullptr;
    QRadioButton* radio = nullptr;

protected:
    void Layout() override {
        ClearSectionTitles();
        title = AddControl(1, new QLabel);
        hiddenTitle = AddControl(2, new QLabel);
        radio = AddControl(3, new QRadioButton);
        PlaceSectionTitle(1, "  Brightness  ", 15, 20);
        PlaceSectionTitle(2, "Hidden", 15, 120);
        hiddenTitle->hide();
        PlaceLabel(3, "Front", TextFont(), 30, 60);
    }
};

struct PageBase : ::testing::Test {
    PageBase() {
        page.OnInitDialog();
        page.show();
    }
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    SamplePage page{context};
};

TEST_F(PageBase, LineAndPageMovesStopAtTheLimits) {
    using E = CBaseDialog::ScrollEvent;
    for (E e : {E::LineUp, E::PageUp}) {
        page.OnVScroll(e);
        EXPECT_EQ(page.ScrollPos(), 0);
    }
    page.OnMouseWheel(120);
    EXPECT_EQ(page.ScrollPos(), 0);
    page.OnMouseWheel(-120); // one notch: 50, not the 80 of a line step
    EXPECT_EQ(page.ScrollPos(), 50);
    EXPECT_EQ(page.Content()->y(), -50);
    EXPECT_EQ(page.VerticalScrollBar()->value(), 50);
    for (E e : {E::LineDown, E::PageDown}) {
        page.OnVScroll(e);
        EXPECT_EQ(page.ScrollPos(), 50);
    }
    page.OnMouseWheel(-480);
    EXPECT_EQ(page.ScrollPos(), 50);
    page.OnVScroll(E::ThumbTrack, 51); // the thumb reaches one past the limit
    EXPECT_EQ(page.ScrollPos(), 51);
    for (E e : {E::Top, E::Bottom, E::EndScroll}) {
        page.OnVScroll(e, 0);
        EXPECT_EQ(page.ScrollPos(), 51);
    }
    page.OnVScroll(E::LineUp);
    EXPECT_EQ(page.ScrollPos(), 0);
    EXPECT_EQ(page.VerticalScrollBar()->maximum(), 51);
    EXPECT_EQ(page.VerticalScrollBar()->pageStep(), 437);
}

TEST_F(PageBase, WheelOfAnySizeMovesOneStepAndTheScrollBarFollowsThePage) {
    QWheelEvent big(QPointF(100, 100), page.mapToGlobal(QPointF(100, 100)), QPoint(),
                    QPoint(0, -480), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&page, &big);
    EXPECT_EQ(page.ScrollPos(), 50);
    page.VerticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(page.ScrollPos(), 0);
    EXPECT_EQ(page.VerticalScrollBar()->value(), 0);
}

TEST_F(PageBase, PlaceLabelTrimsMeasuresAndAddsRoom) {
    EXPECT_EQ(page.title->text(), "Brightness");
    const int width = CBaseDialog::MeasureTextWidth("Brightness", page.TitleFont());
    EXPECT_GT(width, 0);
    EXPECT_EQ(page.title->width(), width + 30);
    EXPECT_EQ(page.title->pos(), QPoint(15, 20));
    EXPECT_EQ(page.PlaceLabel(3, "   ", page.TextFont(), 30, 60), QSize(25, 25));
    EXPECT_EQ(page.radio->text(), "");
    EXPECT_EQ(page.PlaceControl(3, 1, 2, 3, 4), QSize(3, 4));
    page.PlaceControlWithFont(3, page.TextFont(), "Front", 5, 6, 99, 20, true);
    EXPECT_EQ(page.radio->geometry(),
              QRect(5, 6, CBaseDialog::MeasureTextWidth("Front", page.TextFont()), 20));
    page.PlaceControlWithFont(12345, page.TextFont(), "x", 0, 0, 1, 1, false); // no such control
}

// A section title's height 14 is a character cell, not an em: its capitals stand about 8.4
// pixels tall.
TEST_F(PageBase, SectionTitleCapitalsHaveTheCellHeightRule) {
    page.title->setText("H");
    const QImage capital = page.title->grab().toImage();
    page.title->setText("");
    EXPECT_NEAR(test::InkRows(capital, page.title->grab().toImage()),
                test::TahomaCapHeightForCell(14), 1.0);
}

TEST_F(PageBase, SeparatorLinesFollowVisibleTitlesOnly) {
    const QImage shot = page.Content()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect t = page.title->geometry();
    const int y = t.top() + t.height() / 2;
    const QRgb line = qRgb(163, 181, 198);
    EXPECT_EQ(shot.pixel(t.width() + 27, y), line);
    EXPECT_EQ(shot.pixel(page.Content()->width() - 16, y), line);
    EXPECT_NE(shot.pixel(t.width() + 26, y), line);
    const QRect h = page.hiddenTitle->geometry();
    EXPECT_NE(shot.pixel(200, h.top() + h.height() / 2), line);
    EXPECT_EQ(shot.pixel(600, 400), qRgb(254, 254, 254));
}

TEST_F(PageBase, EnterAndEscapeAreSwallowedAndABackgroundClickTakesTheFocus) {
    page.activateWindow();
    page.radio->setFocus();
    QTest::keyClick(page.radio, Qt::Key_Escape);
    QTest::keyClick(page.radio, Qt::Key_Return);
    EXPECT_TRUE(page.isVisible());
    QTest::mouseClick(page.Content(), Qt::LeftButton, {}, QPoint(600, 300));
    EXPECT_FALSE(page.radio->hasFocus());
}

// A wheel message as the windowing system sends it: spontaneous, so that a widget which does
// not take it passes it on to its parents.
void SpontaneousWheel(QWidget* over, int delta) {
    QWheelEvent event(QPointF(4, 4), over->mapToGlobal(QPointF(4, 4)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(over, &event);
}

TEST(PageWheel, OneLineStepPerMessageWhereverTheMouseIs) {
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    CNormalDlg page(context); // limit 619, line step 100
    page.OnInitDialog();
    page.show();
    SpontaneousWheel(page.Content(), -120);
    EXPECT_EQ(page.ScrollPos(), 100);
    // The scroll bar would move several lines of its own for one notch.
    SpontaneousWheel(page.VerticalScrollBar(), -120);
    EXPECT_EQ(page.ScrollPos(), 200);
    SpontaneousWheel(page.VerticalScrollBar(), 15);
    EXPECT_EQ(page.ScrollPos(), 100);
    EXPECT_EQ(page.VerticalScrollBar()->value(), 100);
}

// Enter would press a focused push button of a page inside the main window's dialog (it becomes
// an automatic default button there), and Escape would end the dialog.
TEST(PageKeys, EnterAndEscapeNeverReachTheControlsOrTheDialog) {
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    QDialog window;
    auto* page = new SamplePage(context);
    page->setParent(&window);
    auto* format = new QPushButton(QStringLiteral("Format"), page->Content());
    int presses = 0;
    QObject::connect(format, &QPushButton::clicked, [&] { ++presses; });
    auto* name = new QLineEdit(page->Content());
    int returns = 0;
    QObject::connect(name, &QLineEdit::returnPressed, [&] { ++returns; });
    page->OnInitDialog();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();

    for (QWidget* target : std::vector<QWidget*>{format, name, page->radio, page->Content()}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
        }
    }
    EXPECT_EQ(presses, 0);
    EXPECT_EQ(returns, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    // Every other key still reaches the controls.
    QTest::keyClicks(name, QStringLiteral("ok"));
    EXPECT_EQ(name->text(), QStringLiteral("ok"));
    format->setFocus();
    QTest::keyClick(format, Qt::Key_Space);
    EXPECT_EQ(presses, 1);
}

// The System page scrolls further than the camera's own layout: to its clock and touch
// calibration sections at the end.
TEST(Pages, ConstantsOfTheFivePages) {
    test::TestPlatform platform;
    AppContext context{platform.services, platform.prompt};
    struct Expected {
        CBaseDialog* page;
        int templateId, focusHolder, limit, step;
    };
    CCommonDlg camera(context);
    CParkingDlg record(context);
    CNormalDlg road(context);
    CSystemDlg system(context);
    CEtcDlg memory(context);
    for (const Expected& e :
         {Expected{&camera, 130, 1031, 50, 80}, Expected{&record, 132, 1171, 561, 80},
          Expected{&road, 131, 1260, 619, 100}, Expected{&system, 221, 1389, 780, 100},
          Expected{&memory, 133, 1342, 67, 100}}) {
        e.page->OnInitDialog();
        EXPECT_EQ(e.page->TemplateId(), e.templateId);
        EXPECT_EQ(e.page->FocusHolderId(), e.focusHolder);
        EXPECT_EQ(e.page->ScrollLimit(), e.limit);
        EXPECT_EQ(e.page->LineStep(), e.step);
        EXPECT_EQ(e.page->size(), QSize(700, 437));
    }
}

} // namespace
} // namespace dashcam
