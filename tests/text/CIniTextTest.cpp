#include <gtest/gtest.h>

#include <string>

#include "tests/support/CapturedDebugOutput.h"
#include "text/CIniText.h"

namespace dashcam {
namespace {

struct IniText : ::testing::Test {
    bool Parse(const std::string& text) {
        return ini.Parse(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    }
    bool ParseUtf16(const std::u16string& text, bool oddByte = false) {
        std::vector<std::uint8_t> bytes = {0xFF, 0xFE};
        for (char16_t c : text) {
            bytes.push_back(std::uint8_t(c));
            bytes.push_back(std::uint8_t(c >> 8));
        }
        if (oddByte) {
            bytes.push_back('x');
        }
        return ini.Parse(bytes.data(), bytes.size());
    }
    std::u16string Get(std::u16string_view section, std::u16string_view key) {
        return ini.GetString(section, key, u"<none>").second;
    }
    test::CapturedDebugOutput debug;
    CIniText ini{debug};
};

TEST_F(IniText, HeadersOpenSectionsByTrimmedNameAndTheFirstTextIsDefault) {
    ASSERT_TRUE(
        Parse("[ font "
              "]\r\nA=1\r\n[TEXT]\r\nB=2\r\n[Other]\r\nC=3\r\n[text]\r\nD=4\r\n[Text]\r\nE=5\r\n"));
    EXPECT_EQ(Get(u"FONT", u"a"), u"1");
    EXPECT_EQ(ini.GetString(u"b", u"").second, u"2");
    EXPECT_EQ(ini.GetString(u"D", u"").second, u"4"); // repeated headers continue the section
    EXPECT_EQ(ini.GetString(u"E", u"").second, u"5");
    EXPECT_FALSE(ini.GetString(u"C", u"dflt").first);
    EXPECT_EQ(ini.GetString(u"C", u"dflt").second, u"dflt");
}

TEST_F(IniText, AlternatingSectionLookupsEachFindTheirOwnSection) {
    ASSERT_TRUE(Parse("[one]\nk=1\n[two]\nk=2\n"));
    EXPECT_EQ(Get(u"one", u"k"), u"1");
    EXPECT_EQ(Get(u"missing", u"k"), u"<none>"); // a failed lookup keeps the last section
    EXPECT_EQ(Get(u"ONE", u"k"), u"1");
    EXPECT_EQ(Get(u"two", u"k"), u"2");
    EXPECT_EQ(Get(u"One", u"k"), u"1");
}

TEST_F(IniText, LinesOutsideANamedSectionAreDropped) {
    ASSERT_TRUE(Parse("K0=before\n[s]\nK1=in\n[   ]\nK2=nameless\nbare\n[s]\nK3=again\n"));
    EXPECT_EQ(Get(u"s", u"K1"), u"in");
    EXPECT_EQ(Get(u"s", u"K2"), u"<none>");
    EXPECT_EQ(Get(u"s", u"bare"), u"<none>");
    EXPECT_EQ(Get(u"s", u"K3"), u"again");
    EXPECT_EQ(Get(u"s", u"K0"), u"<none>");
    EXPECT_FALSE(ini.GetString(u"K1", u"").first); // no TEXT section, so no default
}

TEST_F(IniText, ValuesQuotesAndComments) {
    ASSERT_TRUE(Parse("[s]\n"
                      "plain =  a value ; a comment\n"
                      "quoted = \"  keeps; this  \" and not this\n"
                      "open = \"runs to the end ; really\n"
                      "dq = \"it's\"\n"
                      "sq = 'say \"hi\"'\n"
                      "\"k=ey\" = v1\n"
                      "\"bad\" x = v2\n"
                      "\"unclosed = v3\n"
                      "= noname\n"
                      "empty =\n"
                      "slash = a\\nb\n"
                      "; comment = no\n"));
    EXPECT_EQ(Get(u"s", u"plain"), u"a value");
    EXPECT_EQ(Get(u"s", u"quoted"), u"  keeps; this  ");
    EXPECT_EQ(Get(u"s", u"open"), u"runs to the end ; really");
    EXPECT_EQ(Get(u"s", u"dq"), u"it's");
    EXPECT_EQ(Get(u"s", u"sq"), u"say \"hi\"");
    EXPECT_EQ(Get(u"s", u"k=ey"), u"v1");
    EXPECT_EQ(Get(u"s", u"bad"), u"<none>");
    EXPECT_EQ(Get(u"s", u"\"unclosed"), u"<none>");
    EXPECT_EQ(ini.KeyNames(u"s").size(), 8u);
    const auto empty = ini.GetString(u"s", u"empty", u"dflt");
    EXPECT_TRUE(empty.first);
    EXPECT_EQ(empty.second, u"");
    EXPECT_EQ(Get(u"s", u"slash"), u"a\\nb");
    EXPECT_EQ(Get(u"s", u"; comment"), u"<none>");
}

TEST_F(IniText, LastValueWinsAndBareLinesAreKeys) {
    ASSERT_TRUE(Parse("[s]\nKey=1\nKEY=2\njust words here\n"));
    EXPECT_EQ(Get(u"s", u"key"), u"2");
    EXPECT_EQ(ini.KeyNames(u"s").size(), 2u);
    const auto bare = ini.GetString(u"s", u"JUST WORDS HERE", u"x");
    EXPECT_TRUE(bare.first);
    EXPECT_EQ(bare.second, u"");
    // One diagnostic per key/value pair, none for bare lines.
    EXPECT_EQ(debug.lines, (std::vector<std::string>{"[Key] = \"1\"\n", "[KEY] = \"2\"\n"}));
}

TEST_F(IniText, CaseIsFoldedForAsciiLettersOnly) {
    ASSERT_TRUE(ParseUtf16(u"[Text]\r\nIDS_STRING101 = \"Hello\"\r\n\u00C9T\u00C9 = "
                           u"upper\r\n\u00E9t\u00E9 = lower\r\n"));
    EXPECT_EQ(ini.GetString(u"ids_string101", u"").second, u"Hello");
    EXPECT_EQ(ini.GetString(u"\u00C9T\u00C9", u"").second, u"upper");
    EXPECT_EQ(ini.GetString(u"\u00E9t\u00E9", u"").second, u"lower");
    EXPECT_FALSE(ini.GetString(u"\u00C9t\u00E9", u"").first);
    EXPECT_EQ(ini.GetString(u"\u00E9T\u00E9", u"").second, u"lower"); // only the T folds
}

TEST_F(IniText, DecodingRulesForBothEncodings) {
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("["));
    EXPECT_FALSE(Parse(std::string("\0[s]\nk=v\n", 9)));
    ASSERT_TRUE(ParseUtf16(u"[s]\nk=v", true)); // odd last byte ignored, last line without LF
    EXPECT_EQ(Get(u"s", u"k"), u"v");
    ASSERT_TRUE(ParseUtf16(std::u16string(u"[s]\nn=1\n\0m=2\n", 13)));
    EXPECT_EQ(Get(u"s", u"m"), u"<none>"); // NUL ends the text
    ASSERT_TRUE(Parse(std::string("[s]\nt=1\n\0u=2\n", 13)));
    EXPECT_EQ(Get(u"s", u"u"), u"<none>");
    ASSERT_TRUE(Parse("[s]\ncr=1\rx=2\n")); // CR alone does not end a line
    EXPECT_EQ(Get(u"s", u"cr"), u"1x=2");
    ASSERT_TRUE(Parse("\xEF\xBB\xBF[bom]\nk=1\n")); // a UTF-8 mark is ordinary text
    EXPECT_EQ(Get(u"bom", u"k"), u"<none>");
    ASSERT_TRUE(Parse("[latin]\nk=\xE9\x80\n"));
    EXPECT_EQ(Get(u"latin", u"k"), u"\u00E9\u20AC");
}

} // namespace
} // namespace dashcam
