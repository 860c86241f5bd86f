#pragma once

#include "pages/CBaseDialog.h"

namespace dashcam {

// The Road-safety page: warning voice, vehicle type, LDWS, FCWS and FVDW.
class CNormalDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kFocusHolderId = 1260;

    explicit CNormalDlg(AppContext& context, QWidget* parent = nullptr)
        : CBaseDialog(context, kTemplateId, kFocusHolderId, 350, 100, parent) {}

    void LoadFromRecord() override {}

protected:
    void Layout() override {
        ClearSectionTitles();
        SetScrollLimit(619);
    }
};

} // namespace dashcam
