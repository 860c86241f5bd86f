#pragma once

#include <QDialog>
#include <QFont>
#include <QPoint>
#include <array>
#include <future>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "app/QtStandardTexts.h"
#include "app/WindowFrame.h"
#include "card/AppContext.h"
#include "card/CardSession.h"
#include "pages/SystemPageRecord.h"
#include "settings/DeviceDescription.h"
#include "skin/CMemCanvas.h"
#include "timezones/CTimeZoneInfoManager.h"

namespace dashcam {

class CBaseDialog;
class CRButton;
class KeyboardNavigation;
class CRStaticText;

// The editor's only top-level window: a borderless 722 x 587 window with the title, five tabs
// over the settings pages and the Initialize, Cancel and Save buttons. Start() runs the whole
// start-up: relaunch from a memory card, clock file, device description, settings record,
// language, skin, controls and pages.
class CSettingDlg : public QDialog {
    Q_OBJECT
public:
    enum class StartResult { Relaunched, NoCardFolder, Running };
    enum ControlId {
        kTitle = 2001,
        kTabCamera = 2200,
        kTabRoadSafety = 2201,
        kTabRecord = 2202,
        kTabMemoryCard = 2203,
        kTabSystem = 2204,
        kMinimise = 2300,
        kClose = 2301,
        kInitialize = 2302,
        kCancel = 2303,
        kSave = 2304,
    };
    static constexpr int kWidth = 722;
    static constexpr int kHeight = 587;
    static constexpr QRect kPageArea{11, 85, 700, 437};

    explicit CSettingDlg(AppContext& context);
    ~CSettingDlg() override;

    StartResult Start();

    const DeviceDescription& Device() const { return m_device; }
    CRButton* Button(int id) const;
    // The page of a tab, made now if it was left to be made when first needed; none once the
    // pages are destroyed.
    CBaseDialog* Page(int tabId);
    CRStaticText* Title() const { return m_title; }
    const std::string& RelaunchPath() const { return m_relaunchPath; }
    bool IsReady() const { return m_ready; }

    void OnCommand(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    enum class Relaunch { Started, NotWanted, Failed };
    Relaunch PrepareRelaunch();
    void CreateBackground();
    void CreateControls();
    void ComposeFrame();
    void StartReadingTimeZones();
    TimeZoneCatalogue TakeTimeZones();
    void AddPage(int tabId, CBaseDialog* page);
    void CreatePages();
    void CreateLaterPage(int tabId);
    CBaseDialog* MadePage(int tabId) const;
    void LoadPages();
    void LoadStartPages();
    void AfterFirstFrame();
    void SelectTab(int tabId);
    void NamePictureButtons();
    void SetUpKeyboard();
    void StepTab(int step);
    void Save();
    void EndRun();
    void DestroyPages();

    AppContext& m_context;
    CardSession m_card{m_context};
    DeviceDescription m_device;
    QtStandardTexts m_qtTexts;
    std::string m_programFolder;
    std::string m_relaunchPath;
    CMemCanvas m_background; // until the controls and the frame have taken their parts
    QFont m_titleFont;
    WindowFrame m_frame;
    bool m_firstPaintPending = true;
    bool m_ready = false;
    CRStaticText* m_title = nullptr;
    std::map<int, CRButton*> m_buttons;
    std::set<int> m_pagesLater;                 // tabs whose page is made when first needed
    std::map<int, CBaseDialog*> m_pages;        // by tab id
    std::future<TimeZoneCatalogue> m_timeZones; // read aside once the window shows
    // The System page's record part, done at start-up or Initialize even while the page
    // itself is not made yet.
    std::unique_ptr<SystemPageRecord> m_systemRecord;
    QPoint m_dragOrigin;
    bool m_systemMoveTried = false;
    bool m_systemMoving = false;
    KeyboardNavigation* m_keyboard = nullptr;
};

} // namespace dashcam
