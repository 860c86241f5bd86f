#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <array>
#include <map>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/QtCardFormatUi.h"
#include "platform/linux/CommandMounter.h"
#include "platform/linux/LinuxFormatter.h"
#include "settings/DeviceDescription.h"
#include "skin/CMemCanvas.h"

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
    CBaseDialog* Page(int tabId) const;
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
    void CreatePages();
    void LoadPages();
    void SelectTab(int tabId);
    void NamePictureButtons();
    void SetUpKeyboard();
    void StepTab(int step);
    void Save();
    void EndRun();
    void DestroyPages();

    AppContext& m_context;
    DeviceDescription m_device;
    // What the Memory-card page's Format button formats with.
    CommandMounter m_mounter;
    LinuxFormatter m_formatter{m_context.platform.volumes, m_mounter};
    QtCardFormatUi m_formatUi{this, m_context.prompt};
    std::string m_programFolder;
    std::string m_relaunchPath;
    CMemCanvas m_background;
    QFont m_titleFont;
    std::optional<QImage> m_frame;
    bool m_composePending = true;
    bool m_ready = false;
    CRStaticText* m_title = nullptr;
    std::map<int, CRButton*> m_buttons;
    std::map<int, CBaseDialog*> m_pages; // by tab id
    QPoint m_dragOrigin;
    bool m_systemMoveTried = false;
    bool m_systemMoving = false;
    KeyboardNavigation* m_keyboard = nullptr;
};

} // namespace dashcam
