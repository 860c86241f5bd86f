#pragma once

#include <QButtonGroup>
#include <QRadioButton>
#include <QStringList>

#include "pages/CBaseDialog.h"
#include "skin/CSubSlider.h"

namespace dashcam {

// The Record page: impact sensitivities, parking mode, motion, stop timer and voltages.
class CParkingDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kFocusHolderId = 1171;

    explicit CParkingDlg(AppContext& context, QWidget* parent = nullptr);

    void LoadFromRecord() override;
    // Enables the parking sliders for the stored parking mode (see the .cpp for the rules).
    void UpdateParkingControls(bool enable, bool apply);

protected:
    void Layout() override;

private:
    struct SliderSetup {
        QStringList labels;
        int flags;
        int position, valueKind;
    };
    void SetUp(int id, const SliderSetup& setup);
    void PlaceSensitivityRow(int titleId, const char16_t* titleKey, int y, int sliderId);
    void OnParkingMode(int mode);
    // The radios and sliders of a parking mode, as loading shows them.
    void ShowParkingMode(int mode);
    QRadioButton* ModeRadio(int mode) const;

    QButtonGroup* m_parkingGroup = nullptr;
};

} // namespace dashcam
