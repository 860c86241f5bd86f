#pragma once

#include <QButtonGroup>
#include <QRadioButton>
#include <cstddef>
#include <functional>
#include <vector>

#include "pages/CBaseDialog.h"
#include "skin/CSubSlider.h"

namespace dashcam {

// The Road-safety page: warning voice, vehicle type, LDWS, FCWS and FVDW.
class CNormalDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;
    static constexpr int kFocusHolderId = 1260;

    explicit CNormalDlg(AppContext& context, QWidget* parent = nullptr);

    void LoadFromRecord() override;

protected:
    void Layout() override;

private:
    void MakeOnOff(int onId, const SettingsField& field,
                   const std::function<void(bool)>& after = {});
    void PlaceSensitivity(int insensitiveId, int y, int sliderId, int sensitiveId, int flags);
    void EnableLdws(bool enabled);
};

} // namespace dashcam
