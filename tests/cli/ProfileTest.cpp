#include "tests/cli/CliTest.h"

namespace dashcam::test {
namespace {

using ProfileTest = CliTest;

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST_F(ProfileTest, ExportNamesEveryUserSettingAndNothingElse) {
    auto bytes = CameraRecord(7);
    std::copy_n("Tokyo Standard Time", 19, bytes.begin() + 380);
    std::copy_n("M40", 3, bytes.begin() + 8);
    const TempFolder& card = NewCard(bytes);
    ASSERT_EQ(Run({"export", PathOf(card)}), 0) << err.str();
    const std::string profile = out.str();
    std::size_t settings = 0;
    for (const SettingsField& field : kSettingsFields) {
        const bool listed =
            profile.find("\n" + std::string(field.name) + " = ") != std::string::npos;
        EXPECT_EQ(listed, field.role == FieldRole::UserSetting) << field.name;
        settings += listed ? 1 : 0;
    }
    EXPECT_EQ(settings, 41u);
    EXPECT_NE(profile.find("; front camera brightness; allowed: 0 to 2 (0 dark, 1, 2 light)\n"
                           "front_brightness = 1\n"),
              std::string::npos)
        << profile;
    EXPECT_NE(profile.find("; parking motion sensitivity; allowed: 0, 1, 3 or 5 (0 off, 1, 3, 5)"),
              std::string::npos);
    EXPECT_NE(profile.find("time_zone_name = \"Tokyo Standard Time\"\n"), std::string::npos);

    // A value no menu offers stays on its card.
    bytes[52] = 0;
    card.Write("setup.cfg", bytes);
    ASSERT_EQ(Run({"export", PathOf(card)}), 0);
    EXPECT_NE(out.str().find("\n; front_resolution = 0 is not an allowed value; left out\n"),
              std::string::npos);
    card.WriteText("p.ini", out.str());
    ASSERT_EQ(Run({"apply", card.File("p.ini"), PathOf(card)}), 0) << err.str();
    EXPECT_EQ(card.Read("setup.cfg"), bytes);
}

// Exported from one card, applied to two others with their own device values: every user
// setting now matches, and each card keeps its own device-owned and identity values.
TEST_F(ProfileTest, ApplyCarriesUserSettingsAndKeepsEachCardsOwn) {
    auto source = CameraRecord(1);
    source[64] = 2, source[180] = 2, source[484] = 1, source[440] = 1;
    std::copy_n("Pacific Standard Time", 21, source.begin() + 380);
    const TempFolder& from = NewCard(source);
    auto other = RecordBytes(544, {{0, 544}, {4, 0x00010003}, {40, 900}, {44, 901}, {224, 902}});
    other[30] = 0xEE; // reserved
    std::copy_n("OTHER", 5, other.begin() + 8);
    const TempFolder& to1 = NewCard(other);
    const TempFolder& to2 = NewCard(CameraRecord(50));
    const TempFolder& profile = NewCard({});
    ASSERT_EQ(Run({"export", PathOf(from)}), 0);
    profile.WriteText("m40.ini", out.str());

    ASSERT_EQ(Run({"apply", profile.File("m40.ini"), PathOf(to1), PathOf(to2)}), 0) << err.str();
    for (const TempFolder* card : {&to1, &to2}) {
        const auto after = card->Read("setup.cfg");
        const auto before = card == &to1 ? other : CameraRecord(50);
        auto expected = source;
        for (const SettingsField& field : kSettingsFields) {
            if (field.role != FieldRole::UserSetting && field.role != FieldRole::Derived) {
                std::copy_n(before.begin() + field.offset, field.width,
                            expected.begin() + field.offset);
            }
        }
        expected[30] = before[30];
        EXPECT_EQ(after, expected);
        EXPECT_EQ(Run({"diff", PathOf(*card), profile.File("m40.ini")}), 0) << out.str();
    }
}

TEST_F(ProfileTest, OnlyTheNamedFieldsChangeAndABadProfileIsRefusedWhole) {
    const auto before = CameraRecord(3);
    const TempFolder& card = NewCard(before);
    card.WriteText("two.ini", "; two fields\n  wdr = 0\r\nstop_timer=48 ; hours\n");
    ASSERT_EQ(Run({"apply", card.File("two.ini"), PathOf(card)}), 0) << err.str();
    auto expected = before;
    expected[436] = 0;
    expected[200] = 48;
    EXPECT_EQ(card.Read("setup.cfg"), expected);

    for (const auto& [text, reason] : std::vector<std::pair<std::string, std::string>>{
             {"wdr = 1\nno_such = 1\n", "unknown field 'no_such'"},
             {"wdr = 1\nstop_timer = 7\n", "stop_timer: 7 is not allowed"},
             {"wdr = 1\npreserved_40 = 7\n", "preserved_40 is the camera's or the record's own"},
             {"wdr = 1\nrecord_size = 7\n", "record_size is the camera's"},
             {"[other]\nwdr = 1\n", "unknown section [other]"},
             {"wdr\n", "'' is not a whole number"},
             {"; nothing\n", "the profile names no field"}}) {
        card.Write("bad.ini", Bytes(text));
        EXPECT_EQ(Run({"apply", card.File("bad.ini"), PathOf(card)}), 2) << text;
        EXPECT_NE(err.str().find(reason), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("nothing was written"), std::string::npos) << err.str();
    }
    EXPECT_EQ(Run({"apply", card.File("missing.ini"), PathOf(card)}), 2);
    EXPECT_EQ(Run({"apply", card.File("two.ini")}), 2);
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

// "-" reads the profile from standard input, so that one card's export can be piped to others.
TEST_F(ProfileTest, ApplyTakesTheProfileFromStandardInput) {
    const auto before = CameraRecord(3);
    const TempFolder& card = NewCard(before);
    in.str("wdr = 0\nstop_timer = 48\n");
    ASSERT_EQ(Run({"apply", "-", PathOf(card)}), 0) << err.str();
    auto expected = before;
    expected[436] = 0;
    expected[200] = 48;
    EXPECT_EQ(card.Read("setup.cfg"), expected);

    in.clear();
    in.str("wdr = 1\nno_such = 1\n");
    EXPECT_EQ(Run({"apply", "-", PathOf(card)}), 2);
    EXPECT_NE(err.str().find("dashcam-cfg: standard input: unknown field 'no_such'"),
              std::string::npos)
        << err.str();
    in.clear();
    in.str(std::string(1024 * 1024 + 1, ';'));
    EXPECT_EQ(Run({"apply", "-", PathOf(card)}), 2);
    EXPECT_NE(err.str().find("too large for a profile"), std::string::npos) << err.str();
    EXPECT_EQ(card.Read("setup.cfg"), expected);
}

} // namespace
} // namespace dashcam::test
