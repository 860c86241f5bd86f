#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
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

// Keys a pack may show as the English pack does. Everywhere: the units of speed and size and
// the names GPS and SUV, which those markets' dashboards and shops print the same way (the
// Russian pack writes its own), and the empty key. In one pack: a word that is the same word in
// that language.
bool MayMatchEnglish(std::u16string_view key, std::u16string_view pack) {
    static const std::map<std::u16string_view, std::set<std::u16string_view>> kSameWord = {
        {u"IDS_STRING114", {u"french", u"german", u"spanish", u"portuguese"}},  // Normal
        {u"IDS_STRING209", {u"french", u"german", u"spanish", u"portuguese"}},  // Normal
        {u"IDS_STRING117", {u"french", u"italian", u"portuguese"}},             // Volume
        {u"IDS_STRING186", {u"french"}},                                        // Date
        {u"IDS_STRING201", {u"italian"}},                                       // 30 sec
        {u"IDS_STRING202", {u"french", u"italian", u"spanish", u"portuguese"}}, // 10 min
        {u"IDS_STRING212", {u"french"}},                                        // Microphone
        {u"IDS_STRING227", {u"spanish", u"portuguese"}},                        // Circular
        {u"IDS_STRING305", {u"french"}},                                        // Auto
        {u"IDS_STRING323", {u"french", u"german"}},                             // Version
        {u"IDS_STRING601", {u"italian", u"spanish"}},                           // No
    };
    static const std::set<std::u16string_view> kEverywhere = {
        u"IDS_STRING191", u"IDS_STRING192", u"IDS_STRING234", // km/h, mph, SUV
        u"IDS_STRING318", u"IDS_STRING248",                   // GPS, empty
        u"IDS_STRING540", u"IDS_STRING541",                   // %1 GB, %1 MB
    };
    if (pack == u"russian") {
        return key == u"IDS_STRING318" || key == u"IDS_STRING248";
    }
    const auto same = kSameWord.find(key);
    return kEverywhere.contains(key) || (same != kSameWord.end() && same->second.contains(pack));
}

void ParsePack(std::u16string_view name, CIniText& ini) {
    const auto bytes = FindEmbeddedResource("language", Utf8FromUtf16(name));
    ASSERT_TRUE(bytes && ini.Parse(bytes->data(), bytes->size())) << Utf8FromUtf16(name);
}

// Every English key is in every other pack, in that pack's own words.
TEST(LanguagePacks, EveryEnglishKeyIsTranslatedInEveryPack) {
    NullDebugOutput debug;
    CIniText english(debug);
    ParsePack(u"english", english);
    const std::vector<std::u16string> keys = english.KeyNames(u"text");
    ASSERT_GT(keys.size(), 200u);
    for (std::u16string_view name : test::kPackNames) {
        CIniText pack(debug);
        ParsePack(name, pack);
        for (const std::u16string& key : keys) {
            const auto [found, text] = pack.GetString(u"text", key, u"");
            EXPECT_TRUE(found) << Utf8FromUtf16(name) << " lacks " << Utf8FromUtf16(key);
            if (name != u"english" && !MayMatchEnglish(key, name)) {
                EXPECT_NE(text, english.GetString(u"text", key, u"").second)
                    << Utf8FromUtf16(name) << " keeps " << Utf8FromUtf16(key) << " in English";
            }
        }
    }
}

} // namespace
} // namespace dashcam
