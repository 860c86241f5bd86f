#pragma once

#include "pages/CBaseDialog.h"

namespace dashcam {

// The Camera page: front and rear brightness, wide dynamic range.
class CCommonDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 130;
    static constexpr int kFocusHolderId = 1031;

    explicit CCommonDlg(AppContext& context, QWidget* parent = nullptr)
        : CBaseDialog(context, kTemplateId, kFocusHolderId, 50, 80, parent) {}

    void LoadFromRecord() override {}

protected:
    void Layout() override {
        ClearSectionTitles();
        SetScrollLimit(50);
    }
};

} // namespace dashcam
