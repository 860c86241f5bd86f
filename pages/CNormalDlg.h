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
    // An Enabled / Disabled pair writing 1 / 0 to its field.
    struct OnOff {
        int onId;
        std::size_t offset;
        QButtonGroup* group;
    };
    OnOff MakeOnOff(int onId, std::size_t offset, const std::function<void(bool)>& after = {});
    void ShowOnOff(const OnOff& pair);
    // Radios writing their index to a field; a stored value outside shows none selected.
    QButtonGroup* MakeChoice(int firstId, int count, std::size_t offset);
    void ShowChoice(QButtonGroup* group, int firstId, std::size_t offset);
    int ShownSensitivity(std::size_t offset) const;
    void MakeSensitivity(int id, std::size_t offset);
    void PlaceSensitivity(int insensitiveId, int y, int sliderId, int sensitiveId, int flags);
    void EnableLdws(bool enabled);
    CSubSlider* Slider(int id) const { return static_cast<CSubSlider*>(Control(id)); }

    std::vector<OnOff> m_onOffs;
    QButtonGroup* m_vehicle = nullptr;
    QButtonGroup* m_speed = nullptr;
};

} // namespace dashcam
