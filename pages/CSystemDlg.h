#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>

#include "pages/CBaseDialog.h"
#include "pages/CPageComboBox.h"
#include "pages/SystemPageRecord.h"
#include "settings/DeviceDescription.h"
#include "skin/CSubSlider.h"

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
    // A page over a record part kept by its owner, whose loads may have been done before the
    // page was made.
    CSystemDlg(AppContext& context, SystemPageRecord& record);

    // The camera's languages; the main window gives them before the first load.
    void SetDevice(const DeviceDescription& device) { m_device = &device; }
    void LoadFromRecord() override;
    // Sets the controls as the last load of the record part left things, without loading.
    void ShowLoadedRecord();

protected:
    void Layout() override;

private:
    CSystemDlg(AppContext& context, QWidget* parent, std::unique_ptr<SystemPageRecord> ownRecord,
               SystemPageRecord* record);
    void LoadLanguages();
    void ShowTimeZones();
    void MakeClockControls();
    void PlaceClockControls(int top);
    void EnableClockPickers(bool on);
    void TakeDate();
    void TakeTime();
    void OnClockBox(bool checked);
    void OnTouchCalibration();

    std::unique_ptr<SystemPageRecord> m_ownRecord; // when the page keeps its own
    SystemPageRecord& m_record;
    const DeviceDescription* m_device = nullptr;
    QComboBox* m_languages;
    QComboBox* m_timeZones;
    QCheckBox* m_clockBox = nullptr;
    QDateEdit* m_datePicker = nullptr;
    QTimeEdit* m_timePicker = nullptr;
    QPushButton* m_syncButton = nullptr;
};

} // namespace dashcam
