#include "pages/CNormalDlg.h"

#include <QLabel>
#include <cstdint>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

constexpr int kFirstVehicle = 2202, kFirstSpeed = 2205;
constexpr int kSliderWidth = 350, kSliderHeight = 55;
// The sensitivity sliders show 1 to 3 for the stored 0 to 2.
constexpr int kShownFromOne = 1;
constexpr const char* kKmSpeeds[] = {"50km", "60km", "80km", "100km"};
constexpr const char* kMileSpeeds[] = {"30mph", "40mph", "50mph", "65mph"};

} // namespace

CNormalDlg::CNormalDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 350, 100, parent) {
    AddLabels({1019, 1213, 3008, 1253, 3000, 1254, 1255, 3001, 3002, 3003, 3005, 3006, 3007, 3011,
               3012, 3009});
    MakeOnOff(2200, dashcam::Field("safe_helper_voice"));
    BindRadios(dashcam::Field("vehicle_type"),
               {{kFirstVehicle, 0}, {kFirstVehicle + 1, 1}, {kFirstVehicle + 2, 2}});
    MakeOnOff(2211, dashcam::Field("ldws_enable"), [this](bool on) { EnableLdws(on); });
    BindSlider(3004, dashcam::Field("ldws_sensitivity_left"), kShownFromOne);
    BindSlider(3013, dashcam::Field("ldws_sensitivity_right"), kShownFromOne);
    BindRadios(
        dashcam::Field("ldws_speed"),
        {{kFirstSpeed, 0}, {kFirstSpeed + 1, 1}, {kFirstSpeed + 2, 2}, {kFirstSpeed + 3, 3}});
    MakeOnOff(2209, dashcam::Field("fcws_enable"),
              [this](bool on) { Slider(3010)->setEnabled(on); });
    BindSlider(3010, dashcam::Field("fcws_sensitivity"), kShownFromOne);
    NameAfterLabel(3004, 3000);
    NameAfterLabel(3013, 3001);
    NameAfterLabel(3010, 3007);
    MakeOnOff(2213, dashcam::Field("fvdw_enable"));
}

// "On" and "Off" one under the other; any stored value but 1 shows as off.
void CNormalDlg::MakeOnOff(int onId, const SettingsField& field,
                           const std::function<void(bool)>& after) {
    BindRadios(field, {{onId, 1}, {onId + 1, 0}}, onId + 1, [after](std::int32_t value) {
        if (after) {
            after(value == 1);
        }
    });
}

void CNormalDlg::PlaceSensitivity(int insensitiveId, int y, int sliderId, int sensitiveId,
                                  int flags) {
    const int x =
        60 + PlaceLabel(insensitiveId, Text(u"IDS_STRING127"), TextFont(), 60, y + 42).width();
    PlaceControl(sliderId, x, y, kSliderWidth, kSliderHeight);
    PlaceLabel(sensitiveId, Text(u"IDS_STRING128"), TextFont(), x + kSliderWidth + 20, y + 42);
    CSubSlider* slider = Slider(sliderId);
    slider->SetLabelFont(TextFont());
    slider->SetTickLabels({"1", "2", "3"}, flags);
    SetBoundRange(sliderId);
}

void CNormalDlg::Layout() {
    ClearSectionTitles();
    const QString enabled = Text(u"IDS_STRING115"), disabled = Text(u"IDS_STRING116");
    const auto onOffAt = [&](int onId, int y) {
        PlaceLabel(onId, enabled, TextFont(), 25, y);
        PlaceLabel(onId + 1, disabled, TextFont(), 25, y + 25);
    };
    PlaceSectionTitle(1019, Text(u"IDS_STRING119"), 15, 20);
    onOffAt(2200, 60);
    PlaceSectionTitle(1213, Text(u"IDS_STRING232"), 15, 130);
    const char16_t* vehicles[] = {u"IDS_STRING233", u"IDS_STRING234", u"IDS_STRING235"};
    for (int i = 0; i < 3; ++i) {
        PlaceLabel(kFirstVehicle + i, Text(vehicles[i]), TextFont(), 25, 160 + 25 * i);
    }
    PlaceSectionTitle(3008, Text(u"IDS_STRING236"), 15, 255);
    onOffAt(2211, 295);
    PlaceSectionTitle(1253, Text(u"IDS_STRING237"), 15, 365);
    PlaceLabel(3000, Text(u"IDS_STRING242"), SubtitleFont(), 25, 400);
    PlaceSensitivity(1254, 400, 3004, 1255, 9);
    Slider(3004)->SetPosition(1);
    PlaceLabel(3001, Text(u"IDS_STRING243"), SubtitleFont(), 25, 492);
    PlaceSensitivity(3002, 492, 3013, 3003, 9);
    Slider(3013)->SetPosition(1);

    // The unit the record holds now names the speeds for the page's whole life.
    PlaceSectionTitle(3005, Text(u"IDS_STRING238"), 15, 579);
    // Without a record yet the speeds are named in km.
    const bool miles = m_context.settings.HasRecord() && Field(OffsetOf("speed_unit")) != 0;
    const auto& speeds = miles ? kMileSpeeds : kKmSpeeds;
    for (int i = 0; i < 4; ++i) {
        PlaceLabel(kFirstSpeed + i, speeds[i], TextFont(), 25, 609 + 25 * i);
    }
    PlaceSectionTitle(3006, Text(u"IDS_STRING239"), 15, 729);
    onOffAt(2209, 769);
    PlaceSectionTitle(3007, Text(u"IDS_STRING240"), 15, 839);
    PlaceSensitivity(3011, 874, 3010, 3012, 24);
    PlaceSectionTitle(3009, Text(u"IDS_STRING244"), 15, 961);
    onOffAt(2213, 1001);
    SetScrollLimit(619);
}

void CNormalDlg::EnableLdws(bool enabled) {
    Slider(3004)->setEnabled(enabled);
    Slider(3013)->setEnabled(enabled);
    for (int i = 0; i < 4; ++i) {
        Control(kFirstSpeed + i)->setEnabled(enabled);
    }
}

void CNormalDlg::LoadFromRecord() {
    ShowBoundControls();
    EnableLdws(Field(OffsetOf("ldws_enable")) != 0);
    Slider(3010)->setEnabled(Field(OffsetOf("fcws_enable")) != 0);
}

} // namespace dashcam
