#include "pages/CParkingDlg.h"

#include <QLabel>
#include <array>
#include <utility>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

constexpr auto kMode = OffsetOf("surveillance_enable");
constexpr int kMotionRadio = 4000, kTimelapseRadio = 4001, kOffRadio = 4002;
constexpr int kSliderWidth = 350, kSliderHeight = 55;

// The listed values as tick labels; a value of 0 reads "OFF".
QStringList ListedValues(const SettingsField& field) {
    QStringList labels;
    for (std::int32_t value : field.allowed.Values()) {
        labels << (value == 0 ? QStringLiteral("OFF") : QString::number(value));
    }
    return labels;
}

QStringList Volts(const SettingsField& field) {
    QStringList labels;
    for (int i = field.allowed.minimum; i <= field.allowed.maximum; ++i) {
        labels << QString::asprintf("%.1fV", field.volts.At(i));
    }
    labels.back() += ' ';
    return labels;
}

} // namespace

CParkingDlg::CParkingDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 500, 80, parent) {
    AddLabels({1210, 1211, 1212, 1112, 1127, 1109, 1110, 1111, 1113, 1114, 1115, 1117, 1118, 1119,
               1120, 1122});
    BindSlider(1252, dashcam::Field("impact_sensitivity"));
    BindSlider(1160, dashcam::Field("impact_sensitivity_park"));
    BindSlider(1161, dashcam::Field("motion_sensitivity"));
    BindSlider(1162, dashcam::Field("stop_timer"));
    BindSlider(1163, dashcam::Field("stop_voltage_12v"));
    BindSlider(1164, dashcam::Field("stop_voltage_24v"));
    for (auto [slider, label] : {std::pair{1252, 1210},
                                 {1160, 1109},
                                 {1161, 1113},
                                 {1162, 1117},
                                 {1163, 1120},
                                 {1164, 1122}}) {
        NameAfterLabel(slider, label);
    }
    auto* motion = AddControl(kMotionRadio, new QRadioButton);
    auto* timelapse = AddControl(kTimelapseRadio, new QRadioButton);
    auto* off = AddControl(kOffRadio, new QRadioButton);
    m_parkingGroup = MakeGroup({motion, timelapse, off});
    BindRadios(dashcam::Field("super_night_vision"), {{1155, 1}, {1156, 0}}, 1155);

    connect(motion, &QRadioButton::clicked, this, [this] { OnParkingMode(1); });
    connect(timelapse, &QRadioButton::clicked, this, [this] { OnParkingMode(2); });
    connect(off, &QRadioButton::clicked, this, [this] { OnParkingMode(0); });
}

void CParkingDlg::SetUp(int id, const SliderSetup& setup) {
    CSubSlider* slider = Slider(id);
    slider->SetLabelFont(TextFont());
    slider->SetTickLabels(setup.labels, setup.flags);
    SetBoundRange(id);
    slider->SetPosition(setup.position);
    if (setup.valueKind != CSubSlider::kPlainPosition) {
        slider->SetValueKind(setup.valueKind);
    }
}

// A title, then "Insensitive", the 1-to-5 slider and "Sensitive" in one row under it.
void CParkingDlg::PlaceSensitivityRow(int titleId, const char16_t* titleKey, int y, int sliderId) {
    PlaceSectionTitle(titleId, Text(titleKey), 15, y);
    const int x =
        60 + PlaceLabel(titleId + 1, Text(u"IDS_STRING127"), TextFont(), 60, y + 77).width();
    PlaceControl(sliderId, x, y + 35, kSliderWidth, kSliderHeight);
    PlaceLabel(titleId + 2, Text(u"IDS_STRING128"), TextFont(), x + kSliderWidth + 20, y + 77);
}

void CParkingDlg::Layout() {
    ClearSectionTitles();
    const QStringList oneToFive = {"1", "2", "3", "4", "5"};
    PlaceSensitivityRow(1210, u"IDS_STRING216", 20, 1252);
    SetUp(1252, {oneToFive, 9, 3, CSubSlider::kPlainPosition});

    PlaceSectionTitle(1112, Text(u"IDS_STRING104"), 15, 127);
    PlaceLabel(kMotionRadio, Text(u"IDS_STRING251"), TextFont(), 25, 157);
    PlaceLabel(kTimelapseRadio, Text(u"IDS_STRING252"), TextFont(), 25, 187);
    PlaceLabel(kOffRadio, Text(u"IDS_STRING136"), TextFont(), 25, 217);
    PlaceSectionTitle(1127, Text(u"IDS_STRING306"), 15, 257);
    PlaceLabel(1155, Text(u"IDS_STRING115"), TextFont(), 25, 287);
    PlaceLabel(1156, Text(u"IDS_STRING116"), TextFont(), 25, 312);

    PlaceSensitivityRow(1109, u"IDS_STRING222", 352, 1160);
    SetUp(1160, {oneToFive, 9, 3, CSubSlider::kPlainPosition});
    PlaceSensitivityRow(1113, u"IDS_STRING308", 499, 1161);
    SetUp(1161,
          {ListedValues(dashcam::Field("motion_sensitivity")), 16, 4, CSubSlider::kMotionLevels});

    PlaceSectionTitle(1117, Text(u"IDS_STRING140"), 15, 646);
    PlaceControl(1162, 110, 681, kSliderWidth, kSliderHeight);
    PlaceLabel(1118, Text(u"IDS_STRING141"), TextFont(), 60, 723);
    SetUp(1162, {ListedValues(dashcam::Field("stop_timer")), 16, 4, CSubSlider::kTimerHours});

    PlaceSectionTitle(1119, Text(u"IDS_STRING142"), 15, 793);
    const int x12 = 30 + PlaceLabel(1120, Text(u"IDS_STRING143"), SubtitleFont(), 30, 828).width();
    PlaceControl(1163, x12, 828, kSliderWidth, kSliderHeight);
    SetUp(1163, {Volts(dashcam::Field("stop_voltage_12v")), 5, 4, CSubSlider::kStopVoltage12});
    const int x24 = 30 + PlaceLabel(1122, Text(u"IDS_STRING144"), SubtitleFont(), 30, 928).width();
    PlaceControl(1164, x24, 928, kSliderWidth, kSliderHeight);
    SetUp(1164, {Volts(dashcam::Field("stop_voltage_24v")), 5, 4, CSubSlider::kStopVoltage24});
    SetScrollLimit(561);
}

// Parking off (mode 0) disables all five parking sliders, a parking mode enables them; `apply`
// then sets the timer, parking-impact and motion sliders to `enable`, so a mode the page does
// not know keeps the voltage sliders enabled.
void CParkingDlg::UpdateParkingControls(bool enable, bool apply) {
    const int mode = Field(kMode);
    const std::array<int, 5> parkingSliders = {1162, 1160, 1161, 1163, 1164};
    if (mode != 0) {
        for (int id : parkingSliders) {
            Slider(id)->setEnabled(true);
        }
    }
    if (apply) {
        for (int id : {1162, 1160, 1161}) {
            Slider(id)->setEnabled(enable);
        }
    }
    if (mode == 0) {
        for (int id : parkingSliders) {
            Slider(id)->setEnabled(false);
        }
    }
}

QRadioButton* CParkingDlg::ModeRadio(int mode) const {
    const int id = mode == 1 ? kMotionRadio : mode == 2 ? kTimelapseRadio : kOffRadio;
    return static_cast<QRadioButton*>(Control(id));
}

void CParkingDlg::ShowParkingMode(int mode) {
    ShowChecked(m_parkingGroup, ModeRadio(mode));
    UpdateParkingControls(mode == 1 || mode == 2, true);
    if (mode == 2) {
        Slider(1161)->setEnabled(false);
    }
}

void CParkingDlg::OnParkingMode(int mode) {
    const int current = Field(kMode);
    if (mode == current) {
        return;
    }
    const std::u16string text = mode == 1 ? m_context.language.GetText(u"IDS_STRING311")
                                : mode == 2
                                    ? m_context.language.GetText(u"IDS_STRING310")
                                    : m_context.language.GetText(u"IDS_STRING177") + u"\r\n" +
                                          m_context.language.GetText(u"IDS_STRING1770") + u"\r\n";
    if (!m_context.prompt.AskYesNo(m_context.language.GetText(u"IDS_STRING104"), text, 370, 170)) {
        ShowParkingMode(current);
        ModeRadio(current)->setFocus();
        return;
    }
    SetField(kMode, mode);
    UpdateParkingControls(mode != 0, true);
    Slider(1161)->setEnabled(mode == 1);
}

void CParkingDlg::LoadFromRecord() {
    ShowBoundControls();
    ShowParkingMode(Field(kMode));
}

} // namespace dashcam
