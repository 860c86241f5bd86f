#include <QLabel>

#include "pages/CEtcDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"
#include "tests/support/FixedAnswerPrompt.h"

namespace dashcam {
namespace {

using MemoryCardPage = test::PageTest<CEtcDlg>;

constexpr auto kPartition = OffsetOf("memory_partition");

std::vector<int> Widths(const CEtcDlg& page) {
    std::vector<int> widths;
    for (int i = 0; i < CEtcDlg::kBarCount; ++i) {
        widths.push_back(page.BarRect(i).width());
    }
    return widths;
}

TEST_F(MemoryCardPage, PartitionTypeDrivesTheChartAndKeepsUnknownValues) {
    SetField(kPartition, 0);
    LoadKeepingTheRecord();
    for (int id : {1334, 1335, 1336}) {
        EXPECT_FALSE(Checked(id));
    }
    EXPECT_EQ(Widths(page), (std::vector<int>{272, 90, 22, 13, 45}));
    EXPECT_EQ(Get<QLabel>(1312)->text(), "60.6%");

    Click(1335);
    EXPECT_EQ(Field(kPartition), 2);
    EXPECT_EQ(Widths(page), (std::vector<int>{163, 67, 22, 13, 180}));
    std::vector<std::string> percents;
    for (int id = 1312; id <= 1316; ++id) {
        percents.push_back(Get<QLabel>(id)->text().toStdString());
    }
    EXPECT_EQ(percents, (std::vector<std::string>{"36.3%", "15.0%", "5.0%", "3.0%", "40.0%"}));
    Click(1336);
    EXPECT_EQ(Field(kPartition), 3);
    EXPECT_EQ(Widths(page), (std::vector<int>{241, 67, 67, 22, 45}));

    // The bars start 10 pixels after the percentage column, under the partition radios.
    const QRect percent = page.Control(1312)->geometry();
    const QRect typeA = page.Control(1334)->geometry();
    EXPECT_EQ(page.BarRect(0).topLeft(), QPoint(percent.right() + 11, typeA.bottom() + 1 + 21));
    EXPECT_EQ(page.BarRect(4).y(), page.BarRect(0).y() + 120);
}

TEST_F(MemoryCardPage, OverwriteBoxesWriteTheirFlagsAtOnce) {
    SetField(OffsetOf("motion_detection"), 1);
    SetField(OffsetOf("manual_recording"), 2);
    LoadKeepingTheRecord();
    EXPECT_TRUE(Checked(1321));
    EXPECT_TRUE(Checked(1323));
    EXPECT_FALSE(Checked(1320));

    Click(1321);
    EXPECT_EQ(Field(OffsetOf("motion_detection")), 0);
    Click(1321);
    EXPECT_EQ(Field(OffsetOf("motion_detection")), 1);
    Click(1320);
    EXPECT_EQ(Field(OffsetOf("event_recording")), 1);
    EXPECT_EQ(Field(OffsetOf("manual_recording")), 2);

    const auto before = Bytes();
    Click(1325); // continuous recording always overwrites
    EXPECT_TRUE(Checked(1325));
    EXPECT_FALSE(page.Control(1325)->isEnabled());
    EXPECT_EQ(Bytes(), before);
}

TEST_F(MemoryCardPage, FormatButtonAsksTheCardFormatQuestion) {
    test::FixedAnswerPrompt ui;
    ui.answer = false;
    struct NoFormatter : IFormatter {
        bool Load(std::u16string&) override { return true; }
        void FormatEx(const FormatRequest&, const FormatCallback&) override { ++formats; }
        std::string MountPointAfterFormat() override { return {}; }
        int formats = 0;
    } formatter;
    page.SetCardFormat(formatter, ui);
    EXPECT_EQ(page.Control(1341)->width(), 6 * 6 + 40);
    const auto before = Bytes();
    Click(1341);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(formatter.formats, 0);
    EXPECT_EQ(Bytes(), before);
}

} // namespace
} // namespace dashcam
