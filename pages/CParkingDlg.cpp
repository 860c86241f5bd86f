#include "pages/CParkingDlg.h"

#include <QLabel>
#include <algorithm>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

constexpr auto kMode = OffsetOf("surveillance_enable");
constexpr int kMotionRadio = 4000, kTimelapseRadio = 4001, kOffRadio = 4002;
constexpr int kSliderWidth = 350, kSliderHeight = 55;

// The index of a value in its table, or one past the end (which the slider's range holds at
// its last position) when the camera stored something else.
template <typename Table> int IndexIn(const Table& table, int value) {
    return static_cast<int>(std::ranges::find(table, value) - table.begin());
}

template <typename Table> int Entry(const Table& table, int position) {
    return table[std::clamp<std::size_t>(position, 0, table.size() - 1)];
}

QStringList Volts(double first, double step) {
    QStringList labels;
    for (int i = 0; i < 8; ++i) {
        labels << QString::asprintf("%.1fV", first + step * i);
    }
    labels.back() += ' ';
    return labels;
}

} // namespace

CParkingDlg::CParkingDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 500, 80, parent) {
    AddLabels({1210, 1211, 1212, 1112, 1127, 1109, 1110, 1111, 1113, 1114, 1115, 1117, 1118, 1119,
               1120, 1122});
    for (int id : {1252, 1160, 1161, 1162, 1163, 1164}) {
        AddControl(id, new CSubSlider);
    }
    auto* motion = AddControl(kMotionRadio, new QRadioButton);
    auto* timelapse = AddControl(kTimelapseRadio, new QRadioButton);
    auto* off = AddControl(kOffRadio, new QRadioButton);
    m_parkingGroup = MakeGroup({motion, timelapse, off});
    auto* nightOn = AddControl(1155, new QRadioButton);
    auto* nightOff = AddControl(1156, new QRadioButton);
    m_nightGroup = MakeGroup({nightOn, nightOff});

    connect(motion, &QRadioButton::clicked, this, [this] { OnParkingMode(1); });
    connect(timelapse, &QRadioButton::clicked, this, [this] { OnParkingMode(2); });
    connect(off, &QRadioButton::clicked, this, [this] { OnParkingMode(0); });
    connect(nightOn, &QRadioButton::clicked, this,
            [this] { SetField(OffsetOf("super_night_vision"), 1); });
    connect(nightOff, &QRadioButton::clicked, this,
            [this] { SetField(OffsetOf("super_night_vision"), 0); });
    ConnectSliders();
}

void CParkingDlg::ConnectSliders() {
    const auto plain = [this](int id, std::size_t offset) {
        connect(Slider(id), &CSubSlider::userMoved, this,
                [this, offset](int position) { SetField(offset, position); });
    };
    plain(1252, OffsetOf("impact_sensitivity"));
    plain(1160, OffsetOf("impact_sensitivity_park"));
    plain(1163, OffsetOf("stop_voltage_12v"));
    plain(1164, OffsetOf("stop_voltage_24v"));
    connect(Slider(1161), &CSubSlider::userMoved, this, [this](int position) {
        SetField(OffsetOf("motion_sensitivity"), Entry(kMotionLevels, position));
    });
    connect(Slider(1162), &CSubSlider::userMoved, this, [this](int position) {
        SetField(OffsetOf("stop_timer"), Entry(kStopTimerHours, position));
    });
}

void CParkingDlg::SetUp(int id, const SliderSetup& setup) {
    CSubSlider* slider = Slider(id);
    slider->SetLabelFont(TextFont());
    slider->SetTickLabels(setup.labels, setup.flags);
    slider->setRange(setup.minimum, setup.maximum);
    slider->setTickInterval(1);
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
    SetUp(1252, {oneToFive, 9, 1, 5, 3, CSubSlider::kPlainPosition});

    PlaceSectionTitle(1112, Text(u"IDS_STRING104"), 15, 127);
    PlaceLabel(kMotionRadio, Text(u"IDS_STRING251"), TextFont(), 25, 157);
    PlaceLabel(kTimelapseRadio, Text(u"IDS_STRING252"), TextFont(), 25, 187);
    PlaceLabel(kOffRadio, Text(u"IDS_STRING136"), TextFont(), 25, 217);
    PlaceSectionTitle(1127, Text(u"IDS_STRING306"), 15, 257);
    PlaceLabel(1155, Text(u"IDS_STRING115"), TextFont(), 25, 287);
    PlaceLabel(1156, Text(u"IDS_STRING116"), TextFont(), 25, 312);

    PlaceSensitivityRow(1109, u"IDS_STRING222", 352, 1160);
    SetUp(1160, {oneToFive, 9, 1, 5, 3, CSubSlider::kPlainPosition});
    PlaceSensitivityRow(1113, u"IDS_STRING308", 499, 1161);
    SetUp(1161, {{"OFF", "1", "3", "5"}, 16, 0, 3, 4, CSubSlider::kMotionLevels});

    PlaceSectionTitle(1117, Text(u"IDS_STRING140"), 15, 646);
    PlaceControl(1162, 110, 681, kSliderWidth, kSliderHeight);
    PlaceLabel(1118, Text(u"IDS_STRING141"), TextFont(), 60, 723);
    SetUp(1162, {{"6", "12", "24", "48"}, 16, 0, 3, 4, CSubSlider::kTimerHours});

    PlaceSectionTitle(1119, Text(u"IDS_STRING142"), 15, 793);
    const int x12 = 30 + PlaceLabel(1120, Text(u"IDS_STRING143"), SubtitleFont(), 30, 828).width();
    PlaceControl(1163, x12, 828, kSliderWidth, kSliderHeight);
    SetUp(1163, {Volts(11.6, 0.1), 5, 0, 7, 4, CSubSlider::kStopVoltage12});
    const int x24 = 30 + PlaceLabel(1122, Text(u"IDS_STRING144"), SubtitleFont(), 30, 928).width();
    PlaceControl(1164, x24, 928, kSliderWidth, kSliderHeight);
    SetUp(1164, {Volts(23.2, 0.2), 5, 0, 7, 4, CSubSlider::kStopVoltage24});
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
    Slider(1252)->SetPosition(Field(OffsetOf("impact_sensitivity")));
    ShowParkingMode(Field(kMode));
    Slider(1160)->SetPosition(Field(OffsetOf("impact_sensitivity_park")));
    Slider(1161)->SetPosition(IndexIn(kMotionLevels, Field(OffsetOf("motion_sensitivity"))));
    Slider(1162)->SetPosition(IndexIn(kStopTimerHours, Field(OffsetOf("stop_timer"))));
    Slider(1163)->SetPosition(Field(OffsetOf("stop_voltage_12v")));
    Slider(1164)->SetPosition(Field(OffsetOf("stop_voltage_24v")));
    const int night = Field(OffsetOf("super_night_vision")) != 0 ? 1155 : 1156;
    ShowChecked(m_nightGroup, static_cast<QAbstractButton*>(Control(night)));
}

} // namespace dashcam
