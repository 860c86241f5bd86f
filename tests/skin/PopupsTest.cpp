#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

#include "skin/CMsgPopupDlg.h"
#include "skin/CProgPopupDlg.h"

namespace dashcam {
namespace {

const QString kTwoLines = "If Parking Mode is disabled,\r\nthe dash cam stops recording.\r\n";

// Shows the popup modally and runs `act` from inside its modal loop. A popup still open five
// seconds later is a failure; it is then ended so that the test does not hang.
int ShowAndAct(CPopupDlgBase& popup, const std::function<void()>& act, bool* timedOut) {
    QTimer::singleShot(0, &popup, act);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &popup, [&] {
        *timedOut = true;
        popup.QDialog::done(-1);
    });
    guard.start(5000);
    return popup.DoModal();
}

QWidget* KeyTarget(QWidget& popup) {
    return popup.focusWidget() != nullptr ? popup.focusWidget() : &popup;
}

int Answer(const QString& text, const std::function<void(CMsgPopupDlg&)>& act) {
    CMsgPopupDlg popup;
    popup.SetContent("Parking Mode", text, 370, 170);
    bool timedOut = false;
    const int result = ShowAndAct(
        popup, [&] { act(popup); }, &timedOut);
    EXPECT_FALSE(timedOut);
    return result;
}

TEST(MsgPopupTest, LaysOutFromTheSizeAndTheLineCount) {
    struct Case {
        QString text;
        int width;
        int textHeight;
        int yesX, noX;
    };
    const Case cases[] = {
        {kTwoLines, 370, 70, 90, 195},
        {kTwoLines, 371, 70, 90, 195},
        {"One line.\r\n", 370, 40, 90, 195},
        {"a\r\nb\r\nc\r\n", 370, 0, 90, 195}, // 0: as high as its three lines need
        {"No break at all", 500, 40, 155, 260},
    };
    for (const Case& c : cases) {
        CMsgPopupDlg popup;
        popup.SetContent("Parking Mode", c.text, c.width, 170);
        popup.show();
        EXPECT_EQ(popup.frameGeometry().size(), QSize(c.width, 170));
        EXPECT_EQ(popup.windowTitle(), "Parking Mode");
        const int textHeight =
            c.textHeight != 0 ? c.textHeight
                              : std::max(40, popup.TextControl()->heightForWidth(c.width - 10));
        EXPECT_EQ(popup.TextControl()->geometry(), QRect(0, 28, c.width - 10, textHeight));
        EXPECT_EQ(popup.YesButton()->geometry(), QRect(c.yesX, 110, 85, 25));
        EXPECT_EQ(popup.NoButton()->geometry(), QRect(c.noX, 110, 85, 25));
        EXPECT_TRUE(popup.YesButton()->isVisible());
        EXPECT_EQ(popup.YesButton()->text(), QStringLiteral("예(Y)"));
        EXPECT_EQ(popup.NoButton()->text(), QStringLiteral("아니오(N)"));
        EXPECT_TRUE(popup.YesButton()->isDefault());
        EXPECT_FALSE(popup.TextControl()->text().contains('\r'));
        popup.hide();
    }
}

// A long question, as the longer translations give it, keeps every line: the text grows, and the
// popup with it once the text would reach the buttons.
TEST(MsgPopupTest, LongTextIsNeverCutOff) {
    for (const int words : {25, 60}) {
        CMsgPopupDlg popup;
        popup.SetContent("Parking Mode", u"Wort "_qs.repeated(words) + u"Fortfahren?"_qs, 370, 170);
        popup.show();
        const QRect text = popup.TextControl()->geometry();
        EXPECT_GE(text.height(), popup.TextControl()->heightForWidth(text.width())) << words;
        EXPECT_LE(text.bottom(), popup.YesButton()->y() - 4) << words;
        EXPECT_EQ(popup.YesButton()->y(), popup.frameGeometry().height() - 60) << words;
        popup.hide();
    }
}

TEST(MsgPopupTest, KeysButtonsAndCloseBoxAnswer) {
    const auto key = [](Qt::Key k) {
        return [k](CMsgPopupDlg& p) { QTest::keyClick(KeyTarget(p), k); };
    };
    EXPECT_EQ(Answer(kTwoLines, key(Qt::Key_Y)), CMsgPopupDlg::kYes);
    EXPECT_EQ(Answer(kTwoLines, key(Qt::Key_N)), CMsgPopupDlg::kNo);
    EXPECT_EQ(Answer(kTwoLines, key(Qt::Key_Return)), CMsgPopupDlg::kYes);
    EXPECT_EQ(
        Answer(kTwoLines, [](CMsgPopupDlg& p) { QTest::mouseClick(p.NoButton(), Qt::LeftButton); }),
        CMsgPopupDlg::kNo);
    EXPECT_EQ(Answer(kTwoLines,
                     [](CMsgPopupDlg& p) { QTest::mouseClick(p.YesButton(), Qt::LeftButton); }),
              CMsgPopupDlg::kYes);
    // Escape leaves the question open; the close box then answers No.
    bool openAfterEscape = false;
    EXPECT_EQ(Answer(kTwoLines,
                     [&](CMsgPopupDlg& p) {
                         QTest::keyClick(KeyTarget(p), Qt::Key_Escape);
                         openAfterEscape = p.isVisible();
                         p.close();
                     }),
              CMsgPopupDlg::kNo);
    EXPECT_TRUE(openAfterEscape);
}

// A screen reader finds the question's title, text and both answers inside the popup.
TEST(MsgPopupTest, ScreenReadersReadTheQuestionAndItsAnswers) {
    const auto role = [](QObject* o) { return QAccessible::queryAccessibleInterface(o)->role(); };
    const auto name = [](QObject* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    Answer(kTwoLines, [&](CMsgPopupDlg& p) {
        EXPECT_EQ(name(&p), QStringLiteral("Parking Mode"));
        EXPECT_EQ(role(p.TextControl()), QAccessible::StaticText);
        EXPECT_EQ(name(p.TextControl()), p.TextControl()->text());
        EXPECT_TRUE(name(p.TextControl()).startsWith("If Parking Mode is disabled"));
        for (QPushButton* button : {p.YesButton(), p.NoButton()}) {
            EXPECT_EQ(role(button), QAccessible::Button);
            EXPECT_EQ(name(button), button->text().remove('&'));
            EXPECT_TRUE(QAccessible::queryAccessibleInterface(button)->state().focusable);
        }
        p.close();
    });
}

TEST(ProgPopupTest, LaysOutAndKeepsTheValueAtMost100) {
    CProgPopupDlg popup;
    popup.SetContent("Formatting memory card", "Formatting memory card.\r\nPlease wait.\r\n", 400,
                     150);
    popup.show();
    EXPECT_EQ(popup.TextControl()->geometry(), QRect(0, 28, 400, 50));
    EXPECT_EQ(popup.ProgressBar()->geometry(), QRect(40, 80, 320, 30));
    EXPECT_EQ(popup.ProgressBar()->value(), 0);
    EXPECT_EQ(popup.GetProgress(), 0);

    popup.SetProgress(120);
    EXPECT_EQ(popup.GetProgress(), 100);
    EXPECT_EQ(popup.ProgressBar()->value(), 100);
    popup.SetProgress(-5);
    EXPECT_EQ(popup.GetProgress(), -5);
    EXPECT_EQ(popup.ProgressBar()->value(), 0);
    popup.SetProgress(0);
    for (int i = 0; i < 6; ++i) {
        popup.SetProgress(popup.GetProgress() + 20);
    }
    EXPECT_EQ(popup.GetProgress(), 100);
    EXPECT_EQ(popup.ProgressBar()->value(), 100);
    popup.hide();

    CProgPopupDlg oneLine;
    oneLine.SetContent("Formatting memory card", "Please wait.\r\n", 400, 150);
    oneLine.show();
    EXPECT_EQ(oneLine.TextControl()->geometry(), QRect(0, 28, 400, 40));
    oneLine.hide();
}

TEST(ProgPopupTest, OnlyTheCloseRequestEndsIt) {
    CProgPopupDlg popup;
    popup.SetContent("Formatting memory card", "Please wait.\r\n", 400, 150);
    bool timedOut = false;
    bool stillOpen = false;
    ShowAndAct(
        popup,
        [&] {
            QTest::keyClick(KeyTarget(popup), Qt::Key_Return);
            QTest::keyClick(KeyTarget(popup), Qt::Key_Escape);
            popup.close(); // the window system's close
            QCoreApplication::processEvents();
            stillOpen = popup.isVisible();
            popup.Close();
        },
        &timedOut);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(timedOut);
}

TEST(ProgPopupTest, WorkerReportsBeforeAndWhileThePopupIsShown) {
    // A worker done before the popup is on screen: its position and close are kept.
    {
        CProgPopupDlg popup;
        popup.SetContent("Formatting memory card", "Please wait.\r\n", 400, 150);
        std::thread early([&] {
            popup.SetProgress(40);
            popup.Close();
        });
        early.join();
        QCoreApplication::processEvents(); // the queued requests arrive before the showing
        bool timedOut = false;
        ShowAndAct(
            popup, [] {}, &timedOut);
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(popup.ProgressBar()->value(), 40);
        EXPECT_EQ(popup.GetProgress(), 40);
    }
    // A worker that starts once the popup is shown and steps it like the format's reports.
    {
        CProgPopupDlg popup;
        popup.SetContent("Formatting memory card", "Please wait.\r\n", 400, 150);
        std::atomic<bool> onScreen{false};
        std::thread worker([&] {
            onScreen.wait(false);
            for (int i = 0; i < 6; ++i) {
                popup.SetProgress(popup.GetProgress() + 20);
            }
            popup.Close();
        });
        bool timedOut = false;
        ShowAndAct(
            popup,
            [&] {
                onScreen = true;
                onScreen.notify_one();
            },
            &timedOut);
        worker.join();
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(popup.GetProgress(), 100);
        EXPECT_EQ(popup.ProgressBar()->value(), 100);
    }
}

TEST(ProgPopupTest, RunHandsThePopupToTheWorkerAndReturnsAfterItsClose) {
    std::thread worker;
    std::atomic<int> seen{-1};
    CProgPopupDlg::Run(nullptr, "Formatting memory card", "Please wait.\r\n", 400, 150,
                       [&](IProgress& progress) {
                           worker = std::thread([&progress, &seen] {
                               progress.SetProgress(100);
                               seen = progress.GetProgress();
                               progress.Close();
                           });
                       });
    worker.join();
    EXPECT_EQ(seen, 100);

    // A worker that closes at once races the showing of the popup; the popup must outlive the
    // close request (the sanitizer build catches a popup destroyed under it).
    for (int i = 0; i < 100; ++i) {
        CProgPopupDlg::Run(
            nullptr, "Formatting memory card", "Please wait.\r\n", 400, 150,
            [&](IProgress& progress) { worker = std::thread([&progress] { progress.Close(); }); });
        worker.join();
    }
}

} // namespace
} // namespace dashcam
