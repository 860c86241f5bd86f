#include <gtest/gtest.h>

#include "text/LanguageChoice.h"

namespace dashcam {
namespace {

TEST(LanguageChoice, ViewerRuleThenTheCameraCodeTable) {
    const std::vector<std::u16string> enFr = {u"en", u"fr"};
    EXPECT_EQ(ChooseLanguagePack(true, u"German", enFr, 1), u"german");
    EXPECT_EQ(ChooseLanguagePack(true, u"", enFr, 1), u"english");
    EXPECT_EQ(ChooseLanguagePack(true, u"klingon", enFr, 1), u"english");
    EXPECT_EQ(ChooseLanguagePack(true, u"CHINESETRADITIONAL", {}, 0), u"chinesetraditional");
    EXPECT_EQ(ChooseLanguagePack(false, u"German", enFr, 1), u"french");
    EXPECT_EQ(ChooseLanguagePack(false, u"", {u"en", u"zh-Hant"}, 1), u"english");
    EXPECT_EQ(ChooseLanguagePack(false, u"", {u"zh-Hant-HK"}, 0), u"chinesetraditional");
    EXPECT_EQ(ChooseLanguagePack(false, u"", {u"ko", u"FR"}, 1),
              u"english"); // codes keep their case
    EXPECT_EQ(ChooseLanguagePack(false, u"", {}, 3), u"english");
    // An index outside the camera's list: english, not a read past the list.
    EXPECT_EQ(ChooseLanguagePack(false, u"", enFr, 2), u"english");
    EXPECT_EQ(ChooseLanguagePack(false, u"", enFr, -1), u"english");
    const std::vector<std::pair<std::u16string, std::u16string>> table = {
        {u"fr", u"french"},  {u"es", u"spanish"},  {u"zh-Hans", u"chinesesimplified"},
        {u"en", u"english"}, {u"ko", u"korean"},   {u"de", u"german"},
        {u"it", u"italian"}, {u"ja", u"japanese"}, {u"pt", u"portuguese"},
        {u"ru", u"russian"}};
    for (const auto& [code, pack] : table) {
        EXPECT_EQ(ChooseLanguagePack(false, u"", {code}, 0), pack);
    }
}

} // namespace
} // namespace dashcam
