#pragma once

#include <QButtonGroup>
#include <QRadioButton>

#include "pages/CBaseDialog.h"
#include "skin/CSubSlider.h"

namespace dashcam {

// The Camera page: front and rear brightness, wide dynamic range.
class CCommonDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 130;
    static constexpr int kFocusHolderId = 1031;

    explicit CCommonDlg(AppContext& context, QWidget* parent = nullptr);

    void LoadFromRecord() override;

protected:
    void Layout() override;

private:
    void PlaceBrightnessRow(int titleId, const char16_t* titleKey, int sliderId, int darkId,
                            int lightId, int y);
};

} // namespace dashcam
