#pragma once

#include "pages/CBaseDialog.h"

namespace dashcam {

// The Record page: impact sensitivities, parking mode, motion, stop timer and voltages.
class CParkingDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kFocusHolderId = 1171;

    explicit CParkingDlg(AppContext& context, QWidget* parent = nullptr)
        : CBaseDialog(context, kTemplateId, kFocusHolderId, 500, 80, parent) {}

    void LoadFromRecord() override {}

protected:
    void Layout() override {
        ClearSectionTitles();
        SetScrollLimit(561);
    }
};

} // namespace dashcam
