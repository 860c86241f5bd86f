#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <filesystem>

#include "app/QtPrompt.h"
#include "app/QtStandardTexts.h"
#include "app/SaveDialogue.h"
#include "skin/CMsgPopupDlg.h"
#include "tests/support/TestPlatform.h"

namespace dashcam {
namespace {

// The shown text of a message box or a skinned popup, with the yes/no popup's buttons.
QString ShownText(QWidget* popup) {
    if (auto* box = qobject_cast<QMessageBox*>(popup)) {
        return box->text();
    }
    if (auto* question = qobject_cast<CMsgPopupDlg*>(popup)) {
        return question->TextControl()->text() + u'|' + question->YesButton()->text() + u'|' +
               question->NoButton()->text();
    }
    return {};
}

// Every fixed piece of the pack's text, between its %1, %2 and %3, appears in the shown text in
// its order.
bool HoldsPackText(const QString& shown, const QString& packText) {
    qsizetype from = 0;
    for (const QString& piece : packText.split(QRegularExpression(u"%[1-3]"_qs))) {
        from = shown.indexOf(piece, from);
        if (from < 0) {
            return false;
        }
        from += piece.size();
    }
    return true;
}

// The save's messages, shown through the real message boxes and popups in one pack's language.
struct MessageLanguage : ::testing::Test {
    void Choose(std::u16string_view pack) {
        prompt.UseLanguage(&context.language);
        ASSERT_TRUE(context.language.LoadLanguage(pack));
        ASSERT_TRUE(qtTexts.Use(pack));
    }
    QString Text(std::u16string_view key) {
        return QString::fromStdU16String(context.language.GetText(key));
    }
    // Runs `show`, saves its popup as name.png under the screenshots' folder and closes it;
    // the shown text and the popup's button captions.
    QString ShowAndGrab(const std::string& name, const std::function<void()>& show) {
        QString shown;
        QTimer::singleShot(0, [&] {
            QWidget* popup = QApplication::activeModalWidget();
            ASSERT_NE(popup, nullptr) << name;
            shown = ShownText(popup);
            title = popup->windowTitle();
            std::filesystem::create_directories(DASHCAM_SCREENSHOT_DIR);
            EXPECT_TRUE(popup->grab().save(
                QString::fromStdString(std::string(DASHCAM_SCREENSHOT_DIR "/") + name + ".png")));
            popup->close();
        });
        show();
        return shown;
    }

    QString title; // of the last popup
    test::TestPlatform platform;
    QtPrompt prompt;
    AppContext context{platform.services, prompt};
    QtStandardTexts qtTexts;
    SaveDialogue dialogue{context};
};

// Every part of each message comes from the chosen pack; the system's own detail (the path and
// the error) stays as it came. Each message is saved as a screenshot.
TEST_F(MessageLanguage, SaveMessagesSpeakThePack) {
    for (const std::u16string_view pack : {u"korean", u"russian"}) {
        Choose(pack);
        const std::string tag = QString::fromStdU16String(std::u16string(pack)).toStdString();
        const QString failed = ShowAndGrab("message_save_failed_" + tag, [&] {
            dialogue.TellSaveFailed("/media/card/setup.cfg", "Read-only file system");
        });
        EXPECT_TRUE(HoldsPackText(failed, Text(u"IDS_STRING440") + u'\n' + Text(u"IDS_STRING4400")))
            << tag;
        EXPECT_TRUE(failed.contains(u"/media/card/setup.cfg"_qs)) << tag;
        EXPECT_TRUE(failed.contains(u"Read-only file system"_qs)) << tag;
        EXPECT_EQ(title, Text(u"IDS_STRING101")) << tag; // not the executable's name

        const QString partial = ShowAndGrab("message_partial_save_" + tag, [&] {
            dialogue.AcceptPartialSave("/media/card/setup.cfg", 520);
        });
        EXPECT_TRUE(HoldsPackText(partial, Text(u"IDS_STRING441"))) << tag;
        EXPECT_TRUE(partial.contains(Text(u"IDS_STRING4410"))) << tag;
        EXPECT_TRUE(partial.endsWith(u'|' + Text(u"IDS_STRING600") + u'|' + Text(u"IDS_STRING601")))
            << tag;

        const QString clock = ShowAndGrab("message_clock_file_" + tag, [&] {
            dialogue.TellClockFileFailed("/media/card/time.dat", true, "No space left on device");
        });
        EXPECT_TRUE(HoldsPackText(clock, Text(u"IDS_STRING443") + u'\n' + Text(u"IDS_STRING445")))
            << tag;
    }
}

} // namespace
} // namespace dashcam
