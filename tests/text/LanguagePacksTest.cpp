#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/NullDebugOutput.h"
#include "resources/EmbeddedResources.h"
#include "tests/text/ShownTexts.h"
#include "text/CIniText.h"
#include "text/CLanguageManager.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

std::string Upper(std::u16string_view name) {
    std::string s = Utf8FromUtf16(name);
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return char(std::toupper(c)); });
    return s;
}

// Every line ends with CR LF: no bare LF, no CR without LF, and the text ends with a line end.
template <typename Unit>
void ExpectCrLfLines(const std::vector<Unit>& units, const std::string& pack) {
    ASSERT_GE(units.size(), 2u) << pack;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] == Unit('\n')) {
            ASSERT_TRUE(i > 0 && units[i - 1] == Unit('\r')) << pack << " at " << i;
        }
        if (units[i] == Unit('\r')) {
            ASSERT_TRUE(i + 1 < units.size() && units[i + 1] == Unit('\n')) << pack << " at " << i;
        }
    }
    EXPECT_EQ(units.back(), Unit('\n')) << pack;
}

TEST(LanguagePacks, EveryPackIsFoundByNameInAnyCaseWithItsEncoding) {
    for (std::u16string_view name : test::kPackNames) {
        const std::string pack = Utf8FromUtf16(name);
        const auto lower = FindEmbeddedResource("language", pack);
        const auto upper = FindEmbeddedResource("LANGUAGE", Upper(name));
        ASSERT_TRUE(lower && upper) << pack;
        EXPECT_EQ(lower->data(), upper->data());
        const auto& bytes = *lower;
        if (pack == "english") {
            EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                                    [](unsigned char b) { return b > 0 && b < 0x80; }));
            ExpectCrLfLines(std::vector<unsigned char>(bytes.begin(), bytes.end()), pack);
        } else {
            ASSERT_GE(bytes.size(), 4u);
            EXPECT_EQ(bytes[0], 0xFF) << pack;
            EXPECT_EQ(bytes[1], 0xFE) << pack;
            EXPECT_EQ(bytes.size() % 2, 0u) << pack;
            std::vector<char16_t> units;
            for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
                units.push_back(char16_t(bytes[i] | bytes[i + 1] << 8));
            }
            EXPECT_EQ(std::count(units.begin(), units.end(), u'\0'), 0) << pack;
            ExpectCrLfLines(units, pack);
        }
        NullDebugOutput debug;
        CIniText ini(debug);
        ASSERT_TRUE(ini.Parse(bytes.data(), bytes.size())) << pack;
        EXPECT_TRUE(ini.GetString(u"font", u"DEFAULT_UI_FACENAME", u"").first) << pack;
        EXPECT_TRUE(ini.GetString(u"IDS_STRING101", u"").first) << pack;
    }
}

TEST(LanguagePacks, EveryShownKeyHasATextInEveryLanguage) {
    NullDebugOutput debug;
    CLanguageManager language(debug);
    for (std::u16string_view name : test::kPackNames) {
        ASSERT_TRUE(language.LoadLanguage(name));
        for (const test::ShownText& shown : test::kShownTexts) {
            const std::u16string_view key = shown.key;
            const std::u16string text = language.GetText(key);
            if (key == u"IDS_STRING2200") {
                EXPECT_EQ(text.empty(), name != u"korean") << Utf8FromUtf16(name);
            } else {
                EXPECT_FALSE(text.empty()) << Utf8FromUtf16(name) << " " << Utf8FromUtf16(key);
            }
        }
        EXPECT_EQ(language.GetText(u"IDS_STRING248"), u"");
    }
}

TEST(LanguagePacks, EnglishHoldsTheCatalogueTextsAndTranslationsDiffer) {
    NullDebugOutput debug;
    CLanguageManager english(debug);
    CLanguageManager other(debug);
    ASSERT_TRUE(english.LoadLanguage(u"english"));
    for (const test::ShownText& shown : test::kShownTexts) {
        EXPECT_EQ(english.GetText(shown.key), shown.english) << Utf8FromUtf16(shown.key);
    }
    for (std::u16string_view name : test::kPackNames) {
        ASSERT_TRUE(other.LoadLanguage(name));
        const std::u16string owner = other.GetText(u"IDS_STRING1810");
        EXPECT_NE(owner.find(u"Rero zud Ezuzaz"), std::u16string::npos) << Utf8FromUtf16(name);
        if (name != u"english") {
            EXPECT_NE(other.GetText(u"IDS_STRING108"), english.GetText(u"IDS_STRING108"))
                << Utf8FromUtf16(name);
        }
    }
}

TEST(LanguagePacks, FontSectionNamesTheFaceOfItsScript) {
    struct Font {
        std::u16string_view face, charset, codepage;
    };
    const auto expected = [](std::u16string_view pack) {
        if (pack == u"korean") {
            return Font{u"dotum", u"129", u"949"};
        }
        if (pack == u"chinesesimplified" || pack == u"chinesetraditional") {
            return Font{u"simsun", u"134", u"1200"};
        }
        return Font{u"Tahoma", u"1", u"409"};
    };
    for (std::u16string_view name : test::kPackNames) {
        const auto bytes = FindEmbeddedResource("LANGUAGE", Utf8FromUtf16(name));
        ASSERT_TRUE(bytes);
        NullDebugOutput debug;
        CIniText ini(debug);
        ASSERT_TRUE(ini.Parse(bytes->data(), bytes->size()));
        const Font font = expected(name);
        EXPECT_EQ(ini.GetString(u"font", u"DEFAULT_UI_FACENAME", u"").second, font.face);
        EXPECT_EQ(ini.GetString(u"font", u"DEFAULT_UI_CHARSET", u"").second, font.charset);
        EXPECT_EQ(ini.GetString(u"font", u"DEFAULT_UI_CODEPAGE", u"").second, font.codepage);
    }
}

} // namespace
} // namespace dashcam
