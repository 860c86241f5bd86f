#pragma once

#include "pages/CBaseDialog.h"

namespace dashcam {

// The Memory-card page: overwrite flags, partition type and its chart, card format.
class CEtcDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 133;
    static constexpr int kFocusHolderId = 1342;

    explicit CEtcDlg(AppContext& context, QWidget* parent = nullptr)
        : CBaseDialog(context, kTemplateId, kFocusHolderId, 100, 100, parent) {}

    void LoadFromRecord() override {}

protected:
    void Layout() override {
        ClearSectionTitles();
        SetScrollLimit(67);
    }
};

} // namespace dashcam
