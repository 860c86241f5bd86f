#include <limits>

#include "pages/CNormalDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"

namespace dashcam {
namespace {

using RoadSafetyPage = test::PageTest<CNormalDlg>;

constexpr auto kLdws = OffsetOf("ldws_enable");

std::vector<std::string> SpeedTexts(const CBaseDialog& page) {
    std::vector<std::string> texts;
    for (int id = 2205; id <= 2208; ++id) {
        texts.push_back(page.Control(id)->property("text").toString().toStdString());
    }
    return texts;
}

TEST_F(RoadSafetyPage, SpeedTextsFollowTheUnitAtLayoutOnly) {
    EXPECT_EQ(SpeedTexts(page), (std::vector<std::string>{"50km", "60km", "80km", "100km"}));
    SetField(OffsetOf("speed_unit"), 1);
    CNormalDlg miles(context);
    miles.OnInitDialog();
    EXPECT_EQ(SpeedTexts(miles), (std::vector<std::string>{"30mph", "40mph", "50mph", "65mph"}));
    SetField(OffsetOf("speed_unit"), 0);
    miles.LoadFromRecord();
    EXPECT_EQ(SpeedTexts(miles)[0], "30mph");
}

TEST_F(RoadSafetyPage, OutOfRangeValuesAreShownAndKept) {
    SetField(kLdws, 2);
    SetField(OffsetOf("vehicle_type"), 3);
    SetField(OffsetOf("ldws_speed"), 4);
    SetField(OffsetOf("fcws_sensitivity"), 5);
    SetField(OffsetOf("ldws_sensitivity_left"), std::numeric_limits<std::int32_t>::max());
    LoadKeepingTheRecord();
    EXPECT_EQ(Get<CSubSlider>(3004)->GetPosition(), 3);
    EXPECT_TRUE(Checked(2212));
    EXPECT_TRUE(page.Control(3004)->isEnabled());
    EXPECT_TRUE(page.Control(2205)->isEnabled());
    for (int id : {2202, 2203, 2204, 2205, 2206, 2207, 2208}) {
        EXPECT_FALSE(Checked(id)) << id;
    }
    EXPECT_EQ(Get<CSubSlider>(3010)->GetPosition(), 3);
    EXPECT_FALSE(page.Control(3010)->isEnabled()); // fcws off

    Click(2203);
    EXPECT_EQ(Field(OffsetOf("vehicle_type")), 1);
    EXPECT_EQ(Field(kLdws), 2);
}

TEST_F(RoadSafetyPage, WarningsEnableTheirControlsAndSlidersStoreOneLess) {
    SetField(kLdws, 1);
    SetField(OffsetOf("ldws_speed"), 2);
    page.LoadFromRecord();
    EXPECT_EQ(Get<CSubSlider>(3004)->GetPosition(), 1);
    Key(3004, Qt::Key_End);
    EXPECT_EQ(Field(OffsetOf("ldws_sensitivity_left")), 2);

    Click(2212);
    EXPECT_EQ(Field(kLdws), 0);
    EXPECT_FALSE(page.Control(3004)->isEnabled());
    EXPECT_FALSE(page.Control(3013)->isEnabled());
    EXPECT_FALSE(page.Control(2207)->isEnabled());
    EXPECT_TRUE(Checked(2207)); // the speed stays shown and stored
    EXPECT_EQ(Field(OffsetOf("ldws_speed")), 2);
    Click(2211);
    EXPECT_TRUE(page.Control(2205)->isEnabled());
    Click(2205);
    EXPECT_EQ(Field(OffsetOf("ldws_speed")), 0);

    Click(2209);
    EXPECT_EQ(Field(OffsetOf("fcws_enable")), 1);
    EXPECT_TRUE(page.Control(3010)->isEnabled());
    Click(2201);
    EXPECT_EQ(Field(OffsetOf("safe_helper_voice")), 0);
    Click(2213);
    EXPECT_EQ(Field(OffsetOf("fvdw_enable")), 1);
    EXPECT_TRUE(Checked(2211)); // each section is its own group
}

} // namespace
} // namespace dashcam
