#include "pages/CCommonDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"

namespace dashcam {
namespace {

using CameraPage = test::PageTest<CCommonDlg>;

constexpr auto kFront = OffsetOf("front_brightness");
constexpr auto kRear = OffsetOf("rear_brightness");
constexpr auto kWdr = OffsetOf("wdr");

TEST_F(CameraPage, LayoutPlacesTheRowsAndTheirRanges) {
    EXPECT_EQ(page.Control(1008)->geometry(), QRect(110, 50, 350, 48));
    EXPECT_EQ(page.Control(1009)->geometry(), QRect(110, 150, 350, 48));
    EXPECT_EQ(Get<CSubSlider>(1008)->maximum(), 2);
    EXPECT_EQ(page.Control(1041)->pos(), QPoint(25, 280));
    EXPECT_EQ(page.Control(1041)->property("text").toString(), "Enabled");
    EXPECT_EQ(page.SectionTitleIds(), (std::vector<int>{1000, 1040}));
    EXPECT_EQ(page.ScrollLimit(), 50);
}

TEST_F(CameraPage, OutOfRangeValuesAreShownButKept) {
    SetField(kFront, 3);
    SetField(kRear, -1);
    SetField(kWdr, 2);
    LoadKeepingTheRecord();
    EXPECT_EQ(Get<CSubSlider>(1008)->GetPosition(), 2);
    EXPECT_EQ(Get<CSubSlider>(1009)->GetPosition(), 0);
    EXPECT_FALSE(Checked(1041));
    EXPECT_TRUE(Checked(1042));

    Click(1041);
    EXPECT_EQ(Field(kWdr), 1);
    EXPECT_EQ(Field(kFront), 3); // untouched controls leave their fields alone
    Click(1042);
    EXPECT_EQ(Field(kWdr), 0);
    SetField(kWdr, 1);
    LoadKeepingTheRecord();
    EXPECT_TRUE(Checked(1041));
}

TEST_F(CameraPage, SlidersWriteAtEveryPositionOfADragAndEveryKey) {
    SetField(kFront, 0);
    SetField(kRear, 1);
    page.LoadFromRecord();
    std::vector<int> written;
    DragRight(1008, 2, [&](int position) {
        EXPECT_EQ(Field(kFront), position);
        written.push_back(Field(kFront));
    });
    EXPECT_EQ(written, (std::vector<int>{1, 2}));
    Key(1009, Qt::Key_Left);
    EXPECT_EQ(Field(kRear), 0);
    Key(1009, Qt::Key_End);
    EXPECT_EQ(Field(kRear), 2);
    EXPECT_EQ(Field(kFront), 2);
}

} // namespace
} // namespace dashcam
