#pragma once

#include <QButtonGroup>
#include <QRadioButton>
#include <QStringList>
#include <array>

#include "pages/CBaseDialog.h"
#include "skin/CSubSlider.h"

namespace dashcam {

// The Record page: impact sensitivities, parking mode, motion, stop timer and voltages.
class CParkingDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 132;
    static constexpr int kFocusHolderId = 1171;
    static constexpr std::array<int, 4> kMotionLevels = {0, 1, 3, 5};
    static constexpr std::array<int, 4> kStopTimerHours = {6, 12, 24, 48};

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
        int minimum, maximum, position, valueKind;
    };
    CSubSlider* Slider(int id) const { return static_cast<CSubSlider*>(Control(id)); }
    void SetUp(int id, const SliderSetup& setup);
    void PlaceSensitivityRow(int titleId, const char16_t* titleKey, int y, int sliderId);
    void ConnectSliders();
    void OnParkingMode(int mode);
    // The radios and sliders of a parking mode, as loading shows them.
    void ShowParkingMode(int mode);
    QRadioButton* ModeRadio(int mode) const;

    QButtonGroup* m_parkingGroup = nullptr;
    QButtonGroup* m_nightGroup = nullptr;
};

} // namespace dashcam
