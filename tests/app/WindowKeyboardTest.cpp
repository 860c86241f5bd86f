// The main window by keyboard and through its accessibility interfaces: the order Tab follows,
// Ctrl+Tab between the tabs, Ctrl+S, Space on a skinned button, and what a screen reader is
// told of the skinned controls and the page sliders.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QTest>

#include "app/CSettingDlg.h"
#include "pages/CBaseDialog.h"
#include "skin/CRButton.h"
#include "skin/CRStaticText.h"
#include "skin/CSubSlider.h"
#include "tests/support/RecordBytes.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

struct WindowKeyboard : ::testing::Test {
    WindowKeyboard() {
        card.Write("setup.cfg", test::RecordBytes(544, {{0, 544}, {64, 1}}));
        card.Write("default.cfg", test::RecordBytes(544, {{0, 544}}));
        card.WriteText("lang/ver.dat", " Ver : 1.02\r\n Code : en\r\n");
        context.CardPath = card.CardPath();
        EXPECT_EQ(window.Start(), CSettingDlg::StartResult::Running);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget* Focused() const { return QApplication::focusWidget(); }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = Focused() != nullptr ? Focused() : &window;
        QTest::keyClick(target, key, modifiers);
        QCoreApplication::processEvents();
    }
    int SelectedTab() const {
        for (int tab = CSettingDlg::kTabCamera; tab <= CSettingDlg::kTabSystem; ++tab) {
            if (window.Button(tab)->IsSelected()) {
                return tab;
            }
        }
        return 0;
    }
    static QString Name(QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    }
    QString Pack(std::u16string_view key) const {
        return QString::fromStdU16String(context.language.GetText(key));
    }

    test::TempFolder card;
    test::TestPlatform platform{""};
    AppContext context{platform.services, platform.prompt};
    CSettingDlg window{context};
};

// From the first tab, Tab alone passes the other tabs, then the page's controls, then
// Initialize, Cancel and Save; Shift+Tab goes back.
TEST_F(WindowKeyboard, TabReachesSaveFromTheFirstTab) {
    const QImage saveUnfocused = window.Button(CSettingDlg::kSave)->grab().toImage();
    window.Button(CSettingDlg::kTabMemoryCard)->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> visited;
    CBaseDialog* page = window.Page(CSettingDlg::kTabMemoryCard);
    for (int i = 0; i < 60 && Focused() != window.Button(CSettingDlg::kSave); ++i) {
        Press(Qt::Key_Tab);
        visited.push_back(Focused());
        if (page->isAncestorOf(Focused())) {
            // Scrolled into the page's view when it lies below the fold.
            const int top = Focused()->mapTo(page, QPoint(0, 0)).y();
            EXPECT_GE(top, 0) << i;
            EXPECT_LE(top + Focused()->height(), CBaseDialog::kHeight) << i;
        }
    }
    ASSERT_EQ(Focused(), window.Button(CSettingDlg::kSave));
    EXPECT_NE(window.Button(CSettingDlg::kSave)->grab().toImage(), saveUnfocused)
        << "the focus mark shows";
    const std::vector<QWidget*> tabs = {window.Button(2200), window.Button(2201),
                                        window.Button(2202), window.Button(2204)};
    EXPECT_EQ(std::vector<QWidget*>(visited.begin(), visited.begin() + 4), tabs);
    EXPECT_TRUE(page->isAncestorOf(visited[4])) << "the page's controls follow the tabs";
    EXPECT_EQ(visited[visited.size() - 3], window.Button(CSettingDlg::kInitialize));
    EXPECT_EQ(visited[visited.size() - 2], window.Button(CSettingDlg::kCancel));
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), window.Button(CSettingDlg::kCancel));
    // Tabs, page and commands only: the hidden pages' controls are never reached.
    for (int tab : {2200, 2201, 2202, 2204}) {
        for (QWidget* w : visited) {
            EXPECT_FALSE(window.Page(tab)->isAncestorOf(w));
        }
    }
}

TEST_F(WindowKeyboard, CtrlTabSwitchesTabsAndSpacePressesAButton) {
    window.Button(CSettingDlg::kTabMemoryCard)->setFocus(Qt::TabFocusReason);
    const std::vector<int> row = {2203, 2200, 2201, 2202, 2204, 2203};
    for (std::size_t i = 1; i < row.size(); ++i) {
        Press(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(SelectedTab(), row[i]);
        EXPECT_TRUE(window.Page(row[i])->isVisible());
        EXPECT_EQ(Focused(), window.Button(row[i])) << "the focus follows the selected tab";
    }
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(SelectedTab(), CSettingDlg::kTabSystem);

    // Space on a focused tab selects it, as a click does.
    window.Button(CSettingDlg::kTabCamera)->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Space);
    EXPECT_EQ(SelectedTab(), CSettingDlg::kTabCamera);
    EXPECT_TRUE(window.Page(CSettingDlg::kTabCamera)->isVisible());
    // Enter on a focused button stays swallowed, as on the pages.
    window.Button(CSettingDlg::kCancel)->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowKeyboard, CtrlSSavesTheRecord) {
    context.settings.Current().SetI32(64, 2);
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(card.Read("setup.cfg"), test::RecordBytes(544, {{0, 544}, {64, 2}}));
    EXPECT_FALSE(window.isVisible());
}

TEST_F(WindowKeyboard, SkinnedControlsTellTheirRoleNameAndState) {
    struct Expected {
        int id;
        QAccessible::Role role;
        std::u16string_view key;
    };
    const Expected controls[] = {{2203, QAccessible::PageTab, u"IDS_STRING105"},
                                 {2200, QAccessible::PageTab, u"IDS_STRING102"},
                                 {2201, QAccessible::PageTab, u"IDS_STRING229"},
                                 {2202, QAccessible::PageTab, u"IDS_STRING228"},
                                 {2204, QAccessible::PageTab, u"IDS_STRING213"},
                                 {2302, QAccessible::Button, u"IDS_STRING106"},
                                 {2303, QAccessible::Button, u"IDS_STRING107"},
                                 {2304, QAccessible::Button, u"IDS_STRING108"},
                                 {2300, QAccessible::Button, u"IDS_STRING580"},
                                 {2301, QAccessible::Button, u"IDS_STRING581"}};
    for (const Expected& e : controls) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(window.Button(e.id));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->role(), e.role) << e.id;
        EXPECT_EQ(face->text(QAccessible::Name), Pack(e.key)) << e.id;
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << e.id;
        EXPECT_TRUE(face->state().focusable) << e.id;
        EXPECT_EQ(bool(face->state().selected), e.id == CSettingDlg::kTabMemoryCard) << e.id;
    }
    QAccessibleInterface* title = QAccessible::queryAccessibleInterface(window.Title());
    EXPECT_EQ(title->role(), QAccessible::StaticText);
    EXPECT_EQ(title->text(QAccessible::Name), Pack(u"IDS_STRING101"));

    // The press action clicks: the Record tab becomes the selected one.
    QAccessibleInterface* record = QAccessible::queryAccessibleInterface(window.Button(2202));
    record->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents();
    EXPECT_TRUE(record->state().selected);
    window.Button(CSettingDlg::kInitialize)->setEnabled(false);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(window.Button(2302))->state().disabled);
}

// Every slider of the five pages is named after its label and reads the value its tooltip
// shows; a value set through the interface is written to the record as a drag would.
TEST_F(WindowKeyboard, SlidersAreNamedAndShowTheirValue) {
    int sliders = 0;
    for (int tab = CSettingDlg::kTabCamera; tab <= CSettingDlg::kTabSystem; ++tab) {
        for (CSubSlider* slider : window.Page(tab)->findChildren<CSubSlider*>()) {
            ++sliders;
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(slider);
            EXPECT_EQ(face->role(), QAccessible::Slider);
            EXPECT_FALSE(face->text(QAccessible::Name).isEmpty())
                << slider->objectName().toStdString();
            EXPECT_EQ(face->text(QAccessible::Value), slider->ValueText());
        }
    }
    EXPECT_EQ(sliders, 13);
    CBaseDialog* record = window.Page(CSettingDlg::kTabRecord);
    QAccessibleInterface* timer = QAccessible::queryAccessibleInterface(record->Control(1162));
    EXPECT_EQ(timer->text(QAccessible::Name), Pack(u"IDS_STRING140"));
    timer->valueInterface()->setCurrentValue(3);
    EXPECT_EQ(timer->text(QAccessible::Value), QStringLiteral("48"));
    EXPECT_EQ(context.settings.Current().GetI32(OffsetOf("stop_timer")), 48);
    QAccessibleInterface* front =
        QAccessible::queryAccessibleInterface(window.Page(CSettingDlg::kTabCamera)->Control(1008));
    EXPECT_EQ(front->text(QAccessible::Name), Pack(u"IDS_STRING110"));
}

} // namespace
} // namespace dashcam
