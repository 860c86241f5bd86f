#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <thread>

#include "app/QtPrompt.h"
#include "skin/CMsgPopupDlg.h"
#include "skin/CProgPopupDlg.h"

namespace dashcam {
namespace {

// Runs `act` on the popup the prompt has shown (none when it failed to show one), from inside
// its modal loop.
void OnModalPopup(const std::function<void(QWidget*)>& act) {
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

TEST(QtPromptTest, QuestionsAndProgressGoToThePopups) {
    QtPrompt prompt;
    for (const auto& [key, answer] : {std::pair{Qt::Key_Y, true}, std::pair{Qt::Key_N, false}}) {
        OnModalPopup([key = key](QWidget* popup) {
            auto* question = qobject_cast<CMsgPopupDlg*>(popup);
            ASSERT_NE(question, nullptr);
            EXPECT_EQ(question->windowTitle(), "Parking Mode");
            EXPECT_EQ(question->frameGeometry().size(), QSize(370, 170));
            EXPECT_EQ(question->TextControl()->geometry().height(), 70);
            QTest::keyClick(popup, key);
        });
        EXPECT_EQ(prompt.AskYesNo(u"Parking Mode", u"one\r\ntwo\r\n", 370, 170), answer);
    }

    std::thread worker;
    int shownValue = -1;
    std::atomic<bool> looked{false};
    OnModalPopup([&](QWidget* popup) {
        [&] {
            auto* progress = qobject_cast<CProgPopupDlg*>(popup);
            ASSERT_NE(progress, nullptr);
            EXPECT_EQ(progress->windowTitle(), "Formatting memory card");
            shownValue = progress->ProgressBar()->value();
        }();
        looked = true; // the worker may close now
        looked.notify_one();
    });
    prompt.ShowProgress(u"Formatting memory card", u"Please wait.\r\n", 400, 150,
                        [&](IProgress& progress) {
                            progress.SetProgress(60); // before the popup is on screen
                            worker = std::thread([&progress, &looked] {
                                looked.wait(false);
                                progress.Close();
                            });
                        });
    worker.join();
    EXPECT_EQ(shownValue, 60);
}

// The card format's question and messages are plain message boxes under their own caption.
TEST(QtPromptTest, ConfirmAndCaptionedMessagesAreMessageBoxes) {
    QtPrompt prompt;
    for (const auto& [button, answer] :
         {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        OnModalPopup([button = button](QWidget* popup) {
            auto* box = qobject_cast<QMessageBox*>(popup);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Format");
            EXPECT_EQ(box->text(), "Erase?");
            box->button(button)->click();
        });
        EXPECT_EQ(prompt.Confirm(u"Format", u"Erase?"), answer);
    }
    OnModalPopup([](QWidget* popup) {
        auto* box = qobject_cast<QMessageBox*>(popup);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "Format");
        box->accept();
    });
    prompt.ShowMessage(u"Format", u"Done");
}

} // namespace
} // namespace dashcam
