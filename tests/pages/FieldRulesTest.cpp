#include <QRadioButton>
#include <algorithm>
#include <cstddef>

#include "pages/CCommonDlg.h"
#include "pages/CEtcDlg.h"
#include "pages/CNormalDlg.h"
#include "pages/CParkingDlg.h"
#include "pages/CSystemDlg.h"
#include "settings/SettingsFields.h"
#include "tests/pages/PageTest.h"

namespace dashcam::test {
namespace {

// Every value a page can store is one its field allows: the pages and the field table must not
// drift apart.
template <typename Page> struct FieldRulesTest : PageTest<Page> {
    // Every number field the last action changed holds an allowed value.
    void ExpectOnlyAllowedChanges(const std::vector<std::uint8_t>& before, const QString& what) {
        const std::vector<std::uint8_t> after = this->Bytes();
        for (const SettingsField& field : kSettingsFields) {
            if (field.kind != FieldKind::Int32) {
                continue;
            }
            const auto first = static_cast<std::ptrdiff_t>(field.offset);
            const bool changed =
                !std::equal(before.begin() + first, before.begin() + first + field.width,
                            after.begin() + first);
            const std::int32_t value = this->Field(field.offset);
            EXPECT_TRUE(!changed || field.allowed.Allows(value))
                << what.toStdString() << " stored " << value << " in " << field.name;
        }
    }
};

using Pages = ::testing::Types<CCommonDlg, CParkingDlg, CNormalDlg, CSystemDlg, CEtcDlg>;
TYPED_TEST_SUITE(FieldRulesTest, Pages);

TYPED_TEST(FieldRulesTest, EverySliderPositionAndRadioStoresAnAllowedValue) {
    // Parking recording, the warnings and the voice on, so that no control is disabled.
    this->SetField(OffsetOf("surveillance_enable"), 1);
    this->SetField(OffsetOf("ldws_enable"), 1);
    this->SetField(OffsetOf("fcws_enable"), 1);
    this->SetField(OffsetOf("voice_guidance_enable"), 1);
    this->SetField(OffsetOf("voice_volume"), 1);
    this->page.LoadFromRecord();
    int acted = 0;
    for (CSubSlider* slider : this->page.Content()->template findChildren<CSubSlider*>()) {
        const std::vector<std::uint8_t> before = this->Bytes();
        this->DragRight(
            slider->objectName().toInt(), slider->maximum() - slider->GetPosition(),
            [&](int) { this->ExpectOnlyAllowedChanges(before, "slider " + slider->objectName()); });
        ++acted;
    }
    for (QRadioButton* radio : this->page.Content()->template findChildren<QRadioButton*>()) {
        const std::vector<std::uint8_t> before = this->Bytes();
        this->Click(radio->objectName().toInt());
        this->ExpectOnlyAllowedChanges(before, "radio " + radio->objectName());
        ++acted;
    }
    EXPECT_GT(acted, 2);
}

} // namespace
} // namespace dashcam::test
