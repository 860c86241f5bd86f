#include "pages/CParkingDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"

namespace dashcam {
namespace {

struct RecordPage : test::PageTest<CParkingDlg> {
    std::vector<bool> ParkingSlidersEnabled() const {
        std::vector<bool> enabled;
        for (int id : {1162, 1160, 1161, 1163, 1164}) {
            enabled.push_back(page.Control(id)->isEnabled());
        }
        return enabled;
    }
};

constexpr auto kMode = OffsetOf("surveillance_enable");
const std::vector<bool> kAllOn = {true, true, true, true, true};
const std::vector<bool> kTimelapse = {true, true, false, true, true};
const std::vector<bool> kAllOff = {false, false, false, false, false};

TEST_F(RecordPage, ParkingModeChangesOnlyAfterYes) {
    SetField(kMode, 2);
    page.LoadFromRecord();
    EXPECT_TRUE(Checked(4001));
    EXPECT_EQ(ParkingSlidersEnabled(), kTimelapse);

    Click(4001); // the mode already set: no question
    EXPECT_TRUE(platform.prompt.questions.empty());

    platform.prompt.answers = {false};
    Click(4002);
    ASSERT_EQ(platform.prompt.questions.size(), 1u);
    EXPECT_EQ(platform.prompt.questions[0].title, "Parking Mode");
    EXPECT_EQ(Field(kMode), 2);
    EXPECT_TRUE(Checked(4001));
    EXPECT_FALSE(Checked(4002));
    EXPECT_EQ(ParkingSlidersEnabled(), kTimelapse);

    platform.prompt.answers = {true};
    Click(4002);
    EXPECT_EQ(Field(kMode), 0);
    EXPECT_EQ(ParkingSlidersEnabled(), kAllOff);
    EXPECT_TRUE(page.Control(1252)->isEnabled());

    platform.prompt.answers = {true};
    Click(4000);
    EXPECT_EQ(Field(kMode), 1);
    EXPECT_EQ(ParkingSlidersEnabled(), kAllOn);
}

TEST_F(RecordPage, UnknownValuesAreShownAtTheEndsAndKept) {
    SetField(kMode, 3);
    SetField(OffsetOf("motion_sensitivity"), 2);
    SetField(OffsetOf("stop_timer"), 36);
    LoadKeepingTheRecord();
    EXPECT_TRUE(Checked(4002));
    EXPECT_EQ(ParkingSlidersEnabled(), (std::vector<bool>{false, false, false, true, true}));
    EXPECT_EQ(Get<CSubSlider>(1161)->GetPosition(), 3);
    EXPECT_EQ(Get<CSubSlider>(1162)->GetPosition(), 3);
}

TEST_F(RecordPage, SlidersWriteTheirTablesValues) {
    SetField(kMode, 1);
    page.LoadFromRecord();
    Key(1161, Qt::Key_Home);
    EXPECT_EQ(Field(OffsetOf("motion_sensitivity")), 0);
    Key(1161, Qt::Key_End);
    EXPECT_EQ(Field(OffsetOf("motion_sensitivity")), 5);
    Key(1162, Qt::Key_Home);
    std::vector<int> hours;
    DragRight(1162, 3, [&](int) { hours.push_back(Field(OffsetOf("stop_timer"))); });
    EXPECT_EQ(hours, (std::vector<int>{12, 24, 48}));
    Key(1164, Qt::Key_Home);
    for (int i = 0; i < 4; ++i) {
        Key(1164, Qt::Key_Right);
    }
    EXPECT_EQ(Field(OffsetOf("stop_voltage_24v")), 4);
    EXPECT_EQ(Get<CSubSlider>(1164)->ValueText(), "24.0");
    Click(1155);
    EXPECT_EQ(Field(OffsetOf("super_night_vision")), 1);
}

} // namespace
} // namespace dashcam
