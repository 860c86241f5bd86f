#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <utility>

#include "pages/CBaseDialog.h"
#include "pages/CPageComboBox.h"
#include "settings/DeviceDescription.h"
#include "skin/CSubSlider.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace dashcam {

// The System page: language, voice, screen, LED, time zone, speed unit and stamp, then the
// camera clock request and the touch-screen calibration reset.
class CSystemDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 221;
    static constexpr int kFocusHolderId = 1389;
    enum ControlId {
        kClockBox = 1326,
        kTimePicker = 1121,
        kDatePicker = 1122,
        kTouchCalibration = 1360,
        kDateTimeTitle = 1391,
        kDateLabel = 1392,
        kTimeLabel = 1393,
        kSyncButton = 1394,
        kTouchTitle = 1395,
    };

    // The time-zone catalogue is read from the platform's zone source, unless the caller has
    // it read already (readCatalogue hands it over).
    explicit CSystemDlg(AppContext& context, QWidget* parent = nullptr,
                        const std::function<TimeZoneCatalogue()>& readCatalogue = {});

    // The camera's languages; the main window gives them before the first load.
    void SetDevice(const DeviceDescription& device) { m_device = &device; }
    void LoadFromRecord() override;

protected:
    void Layout() override;

private:
    // Radios of one section, each writing its value to the field.
    void LoadLanguages();
    void LoadTimeZones();
    void MakeClockControls();
    void PlaceClockControls(int top);
    void EnableClockPickers(bool on);
    void TakeDate();
    void TakeTime();
    void OnClockBox(bool checked);
    void OnTouchCalibration();

    CTimeZoneInfoManager m_zones;
    const DeviceDescription* m_device = nullptr;
    QComboBox* m_languages;
    QComboBox* m_timeZones;
    QCheckBox* m_clockBox = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_timePicker = nullptr;
    QPushButton* m_syncButton = nullptr;
};

} // namespace dashcam
