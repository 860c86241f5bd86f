#include "pages/CNormalDlg.h"

#include <QLabel>
#include <algorithm>
#include <cstdint>
#include <limits>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

constexpr int kFirstVehicle = 2202, kFirstSpeed = 2205;
constexpr int kSliderWidth = 350, kSliderHeight = 55;
constexpr const char* kKmSpeeds[] = {"50km", "60km", "80km", "100km"};
constexpr const char* kMileSpeeds[] = {"30mph", "40mph", "50mph", "65mph"};

} // namespace

CNormalDlg::CNormalDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 350, 100, parent) {
    AddLabels({1019, 1213, 3008, 1253, 3000, 1254, 1255, 3001, 3002, 3003, 3005, 3006, 3007, 3011,
               3012, 3009});
    m_onOffs.push_back(MakeOnOff(2200, OffsetOf("safe_helper_voice")));
    m_vehicle = MakeChoice(kFirstVehicle, 3, OffsetOf("vehicle_type"));
    m_onOffs.push_back(
        MakeOnOff(2211, OffsetOf("ldws_enable"), [this](bool on) { EnableLdws(on); }));
    MakeSensitivity(3004, OffsetOf("ldws_sensitivity_left"));
    MakeSensitivity(3013, OffsetOf("ldws_sensitivity_right"));
    m_speed = MakeChoice(kFirstSpeed, 4, OffsetOf("ldws_speed"));
    m_onOffs.push_back(MakeOnOff(2209, OffsetOf("fcws_enable"),
                                 [this](bool on) { Slider(3010)->setEnabled(on); }));
    MakeSensitivity(3010, OffsetOf("fcws_sensitivity"));
    m_onOffs.push_back(MakeOnOff(2213, OffsetOf("fvdw_enable")));
}

CNormalDlg::OnOff CNormalDlg::MakeOnOff(int onId, std::size_t offset,
                                        const std::function<void(bool)>& after) {
    auto* on = AddControl(onId, new QRadioButton);
    auto* off = AddControl(onId + 1, new QRadioButton);
    for (auto [button, shown] : {std::pair{on, 1}, std::pair{off, 0}}) {
        connect(button, &QRadioButton::clicked, this, [this, offset, value = shown, after] {
            SetField(offset, value);
            if (after) {
                after(value == 1);
            }
        });
    }
    return {onId, offset, MakeGroup({on, off})};
}

void CNormalDlg::ShowOnOff(const OnOff& pair) {
    const int id = Field(pair.offset) == 1 ? pair.onId : pair.onId + 1;
    ShowChecked(pair.group, static_cast<QAbstractButton*>(Control(id)));
}

QButtonGroup* CNormalDlg::MakeChoice(int firstId, int count, std::size_t offset) {
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < count; ++i) {
        auto* radio = AddControl(firstId + i, new QRadioButton);
        group->addButton(radio);
        connect(radio, &QRadioButton::clicked, this, [this, offset, i] { SetField(offset, i); });
    }
    return group;
}

void CNormalDlg::ShowChoice(QButtonGroup* group, int firstId, std::size_t offset) {
    const int value = Field(offset);
    const bool known = value >= 0 && value < static_cast<int>(group->buttons().size());
    ShowChecked(group, known ? static_cast<QAbstractButton*>(Control(firstId + value)) : nullptr);
}

// The sliders show 1 to 3 for the stored 0 to 2.
void CNormalDlg::MakeSensitivity(int id, std::size_t offset) {
    auto* slider = AddControl(id, new CSubSlider);
    connect(slider, &CSubSlider::userMoved, this,
            [this, offset](int position) { SetField(offset, position - 1); });
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
    slider->setRange(1, 3);
    slider->setTickInterval(1);
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

// Stored sensitivities count from 0 and the sliders from 1; any stored number, however large,
// is shown without overflowing (the slider then shows its end).
int CNormalDlg::ShownSensitivity(std::size_t offset) const {
    return static_cast<int>(
        std::min<std::int64_t>(std::int64_t{Field(offset)} + 1, std::numeric_limits<int>::max()));
}

void CNormalDlg::LoadFromRecord() {
    for (const OnOff& pair : m_onOffs) {
        ShowOnOff(pair);
    }
    ShowChoice(m_vehicle, kFirstVehicle, OffsetOf("vehicle_type"));
    Slider(3004)->SetPosition(ShownSensitivity(OffsetOf("ldws_sensitivity_left")));
    Slider(3013)->SetPosition(ShownSensitivity(OffsetOf("ldws_sensitivity_right")));
    ShowChoice(m_speed, kFirstSpeed, OffsetOf("ldws_speed"));
    EnableLdws(Field(OffsetOf("ldws_enable")) != 0);
    Slider(3010)->SetPosition(ShownSensitivity(OffsetOf("fcws_sensitivity")));
    Slider(3010)->setEnabled(Field(OffsetOf("fcws_enable")) != 0);
}

} // namespace dashcam
