#pragma once

#include "pages/CBaseDialog.h"

namespace dashcam {

// The System page: language, voice, screen, LED, time zone, speed unit and stamp.
class CSystemDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 221;
    static constexpr int kFocusHolderId = 1389;

    explicit CSystemDlg(AppContext& context, QWidget* parent = nullptr)
        : CBaseDialog(context, kTemplateId, kFocusHolderId, 250, 100, parent) {}

    void LoadFromRecord() override {}

protected:
    void Layout() override {
        ClearSectionTitles();
        SetScrollLimit(550);
    }
};

} // namespace dashcam
