#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLocale>
#include <QMessageBox>

#include "app/QtStandardTexts.h"

namespace dashcam {
namespace {

// A Qt message box the skin does not draw speaks the chosen pack's language, and English again
// once the English pack is chosen or the texts are gone.
TEST(QtStandardTextsTest, MessageBoxButtonsFollowThePack) {
    const auto yesText = [] {
        QMessageBox box(QMessageBox::Question, u"t"_qs, u"x"_qs,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return box.button(QMessageBox::Yes)->text() + u'|' +
               box.button(QMessageBox::Cancel)->text();
    };
    const QString english = yesText();
    {
        QtStandardTexts texts;
        ASSERT_TRUE(texts.Use(u"korean"));
        EXPECT_EQ(yesText(), u"예(&Y)|취소"_qs);
        EXPECT_EQ(QLocale().language(), QLocale::Korean);
        ASSERT_TRUE(texts.Use(u"RUSSIAN"));
        EXPECT_EQ(yesText(), u"&Да|Отмена"_qs);
        ASSERT_TRUE(texts.Use(u"PORTUGUESE"));
        EXPECT_NE(yesText(), english);
        ASSERT_TRUE(texts.Use(u"ENGLISH"));
        EXPECT_EQ(yesText(), english);
        ASSERT_TRUE(texts.Use(u"JAPANESE"));
    }
    EXPECT_EQ(yesText(), english);
}

} // namespace
} // namespace dashcam
