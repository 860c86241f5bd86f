#include "pages/CCommonDlg.h"

#include <QLabel>

#include "settings/SettingsFields.h"

namespace dashcam {

CCommonDlg::CCommonDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 50, 80, parent) {
    AddLabels({1000, 1001, 1003, 1005, 1002, 1004, 1006, 1040});
    m_front = AddControl(1008, new CSubSlider);
    m_rear = AddControl(1009, new CSubSlider);
    m_wdrOn = AddControl(1041, new QRadioButton);
    m_wdrOff = AddControl(1042, new QRadioButton);
    m_wdrGroup = MakeGroup({m_wdrOn, m_wdrOff});

    connect(m_front, &CSubSlider::userMoved, this,
            [this](int position) { SetField(OffsetOf("front_brightness"), position); });
    connect(m_rear, &CSubSlider::userMoved, this,
            [this](int position) { SetField(OffsetOf("rear_brightness"), position); });
    connect(m_wdrOn, &QRadioButton::clicked, this, [this] { SetField(OffsetOf("wdr"), 1); });
    connect(m_wdrOff, &QRadioButton::clicked, this, [this] { SetField(OffsetOf("wdr"), 0); });
}

void CCommonDlg::PlaceBrightnessRow(int titleId, const char16_t* titleKey, int sliderId, int darkId,
                                    int lightId, int y) {
    PlaceLabel(titleId, Text(titleKey), SubtitleFont(), 18, y);
    PlaceControl(sliderId, 110, y, 350, 48);
    PlaceLabel(darkId, Text(u"IDS_STRING112"), TextFont(), 75, y + 45);
    PlaceLabel(lightId, Text(u"IDS_STRING113"), TextFont(), 460, y + 45);
}

void CCommonDlg::Layout() {
    ClearSectionTitles();
    PlaceSectionTitle(1000, Text(u"IDS_STRING215"), 15, 20);
    PlaceBrightnessRow(1001, u"IDS_STRING110", 1008, 1003, 1005, 50);
    PlaceBrightnessRow(1002, u"IDS_STRING111", 1009, 1004, 1006, 150);
    for (CSubSlider* slider : {m_front, m_rear}) {
        slider->setRange(0, 2);
        slider->setTickInterval(1);
    }
    PlaceSectionTitle(1040, Text(u"IDS_STRING203"), 15, 250);
    PlaceLabel(1041, Text(u"IDS_STRING115"), TextFont(), 25, 280);
    PlaceLabel(1042, Text(u"IDS_STRING116"), TextFont(), 25, 310);
    SetScrollLimit(50);
}

void CCommonDlg::LoadFromRecord() {
    m_front->SetPosition(Field(OffsetOf("front_brightness")));
    m_rear->SetPosition(Field(OffsetOf("rear_brightness")));
    ShowChecked(m_wdrGroup, Field(OffsetOf("wdr")) == 1 ? m_wdrOn : m_wdrOff);
}

} // namespace dashcam
