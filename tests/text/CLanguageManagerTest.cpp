#include <gtest/gtest.h>

#include "platform/NullDebugOutput.h"
#include "text/CLanguageManager.h"

namespace dashcam {
namespace {

struct LanguageManager : ::testing::Test {
    NullDebugOutput debug;
    CLanguageManager language{debug};
};

TEST_F(LanguageManager, ErrorLoadingUntilAPackIsLoaded) {
    EXPECT_EQ(language.GetText(u"IDS_STRING101"), u"Error Loading");
    EXPECT_FALSE(language.LoadLanguage(u"klingon"));
    EXPECT_EQ(language.GetText(u"IDS_STRING101"), u"Error Loading");
    ASSERT_TRUE(language.LoadLanguage(u"english"));
    EXPECT_EQ(language.GetText(u"IDS_STRING101"), u"Dash cam setting");
    EXPECT_EQ(language.GetText(u"IDS_STRING99999"), u"");
    EXPECT_FALSE(language.LoadLanguage(u"klingon")); // a failed load clears the loaded state
    EXPECT_EQ(language.GetText(u"IDS_STRING101"), u"Error Loading");
}

TEST_F(LanguageManager, PackNamesIgnoreCase) {
    for (std::u16string_view name : {u"english", u"English", u"ENGLISH"}) {
        ASSERT_TRUE(language.LoadLanguage(name));
        EXPECT_EQ(language.GetText(u"IDS_STRING108"), u"Save");
    }
}

TEST_F(LanguageManager, SecondLineOfTheTouchWarningPerPack) {
    ASSERT_TRUE(language.LoadLanguage(u"korean"));
    EXPECT_FALSE(language.GetText(u"IDS_STRING2200").empty());
    EXPECT_NE(language.GetText(u"IDS_STRING108"), u"Save");
    ASSERT_TRUE(language.LoadLanguage(u"german"));
    EXPECT_EQ(language.GetText(u"IDS_STRING2200"), u""); // empty in German, absent in English
    ASSERT_TRUE(language.LoadLanguage(u"english"));
    EXPECT_EQ(language.GetText(u"IDS_STRING2200"), u"");
    EXPECT_EQ(language.GetText(u"IDS_STRING248"), u"");
}

TEST(LanguageEscapes, BackslashNAndRBecomeLineBreaksWithoutOverlap) {
    EXPECT_EQ(CLanguageManager::ExpandEscapes(u"one\\ntwo"), u"one\ntwo");
    EXPECT_EQ(CLanguageManager::ExpandEscapes(u"a\\\\nb"), u"a\\\nb");
    EXPECT_EQ(CLanguageManager::ExpandEscapes(u"x\\r\\ny\\"), u"x\r\ny\\");
    EXPECT_EQ(CLanguageManager::ExpandEscapes(u"\\\\r"), u"\\\r");
}

} // namespace
} // namespace dashcam
