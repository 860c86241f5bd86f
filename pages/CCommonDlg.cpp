#include "pages/CCommonDlg.h"

#include <QLabel>

#include "settings/SettingsFields.h"

namespace dashcam {

CCommonDlg::CCommonDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 50, 80, parent) {
    AddLabels({1000, 1001, 1003, 1005, 1002, 1004, 1006, 1040});
    BindSlider(1008, dashcam::Field("front_brightness"));
    BindSlider(1009, dashcam::Field("rear_brightness"));
    NameAfterLabel(1008, 1001);
    NameAfterLabel(1009, 1002);
    BindRadios(dashcam::Field("wdr"), {{1041, 1}, {1042, 0}}, 1042);
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
    SetBoundRange(1008);
    SetBoundRange(1009);
    PlaceSectionTitle(1040, Text(u"IDS_STRING203"), 15, 250);
    PlaceLabel(1041, Text(u"IDS_STRING115"), TextFont(), 25, 280);
    PlaceLabel(1042, Text(u"IDS_STRING116"), TextFont(), 25, 310);
    SetScrollLimit(50);
}

void CCommonDlg::LoadFromRecord() {
    ShowBoundControls();
}

} // namespace dashcam
