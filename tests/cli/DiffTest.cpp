#include "tests/cli/CliTest.h"

namespace dashcam::test {
namespace {

using DiffTest = CliTest;

TEST_F(DiffTest, TwoCardsInBothDirections) {
    auto changed = CameraRecord(1);
    changed[64] = 2;
    std::copy_n("UTC", 3, changed.begin() + 380);
    const TempFolder& a = NewCard(CameraRecord(1));
    const TempFolder& b = NewCard(changed);

    EXPECT_EQ(Run({"diff", PathOf(a), PathOf(b)}), 1);
    EXPECT_EQ(out.str(), "front_brightness: 1 -> 2\ntime_zone_name: \"\" -> \"UTC\"\n");
    EXPECT_EQ(Run({"diff", PathOf(b), PathOf(a)}), 1);
    EXPECT_EQ(out.str(), "front_brightness: 2 -> 1\ntime_zone_name: \"UTC\" -> \"\"\n");
    EXPECT_EQ(Run({"diff", "--json", PathOf(b), PathOf(a)}), 1);
    EXPECT_EQ(out.str(), R"({
    "changes": [
        {
            "field": "front_brightness",
            "from": 2,
            "to": 1
        },
        {
            "field": "time_zone_name",
            "from": "UTC",
            "to": ""
        }
    ],
    "equal": false
}
)");
    EXPECT_EQ(Run({"diff", PathOf(a), PathOf(a)}), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Run({"diff", PathOf(a), PathOf(a), "--json"}), 0);
    EXPECT_EQ(out.str(), "{\n    \"changes\": [\n    ],\n    \"equal\": true\n}\n");
}

TEST_F(DiffTest, OneCardAgainstItsDefaultsOrAProfile) {
    auto defaults = CameraRecord(0);
    defaults[436] = 0;
    const TempFolder& card = NewCard(CameraRecord(9), defaults);
    EXPECT_EQ(Run({"diff", PathOf(card)}), 1);
    EXPECT_EQ(out.str(), "preserved_40: 9 -> 0\npreserved_44: 10 -> 1\npreserved_224: 11 -> 2\n"
                         "wdr: 1 -> 0\n");

    card.WriteText("p.ini", "wdr = 1\nfront_brightness = 0\n");
    EXPECT_EQ(Run({"diff", PathOf(card), card.File("p.ini")}), 1);
    EXPECT_EQ(out.str(), "front_brightness: 1 -> 0\n");
    EXPECT_EQ(card.Read("setup.cfg"), CameraRecord(9)); // diff writes nothing
}

TEST_F(DiffTest, TroubleIsStatusTwo) {
    const TempFolder& card = NewCard(CameraRecord(1));
    EXPECT_EQ(Run({"diff", PathOf(card)}), 2); // no default.cfg
    EXPECT_NE(err.str().find("default.cfg"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"diff", PathOf(card), PathOf(card) + "/absent"}), 2);
    EXPECT_EQ(Run({"diff", PathOf(card) + "/absent", PathOf(card)}), 2);
    card.WriteText("bad.ini", "bogus = 1\n");
    EXPECT_EQ(Run({"diff", PathOf(card), card.File("bad.ini")}), 2);
    EXPECT_EQ(Run({"diff"}), 2);
    EXPECT_EQ(Run({"diff", PathOf(card), PathOf(card), PathOf(card)}), 2);
}

} // namespace
} // namespace dashcam::test
