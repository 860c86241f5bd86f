#include "app/CSettingDlg.h"

#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "app/KeyboardNavigation.h"
#include "app/ProgramIconEngine.h"
#include "app/SaveDialogue.h"
#include "card/CardFolder.h"
#include "pages/CCommonDlg.h"
#include "pages/CEtcDlg.h"
#include "pages/CNormalDlg.h"
#include "pages/CParkingDlg.h"
#include "pages/CSystemDlg.h"
#include "skin/AlphaText.h"
#include "skin/CRButton.h"
#include "skin/CRStaticText.h"
#include "skin/CSkinStretcher.h"
#include "text/LanguageChoice.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

constexpr char16_t kViewerTitle[] = u"BREVANTIS REZORED PC VIEWER";

QString Text(AppContext& context, std::u16string_view key) {
    const std::u16string text = context.language.GetText(key);
    return QString::fromStdU16String(text);
}

// One skinned button of the window: a picture button, or one with a caption drawn over it; a
// tab also has a picture for its selected look.
struct ButtonSkin {
    int id;
    QRect rect;
    int normal, hover, pressed;
    int selected = 0; // 0: no selected look
    std::u16string_view caption = {};
    SkinColor normalText = {}, hoverText = {};
};

constexpr SkinColor kTabText = Rgb(119, 148, 177);
constexpr SkinColor kCommandText = Rgb(176, 187, 200);
constexpr SkinColor kWhite = Rgb(255, 255, 255);

// The tabs left to right (Memory card, Camera, Road safety, Record, System), the window's two
// caption buttons, and the three command buttons.
constexpr std::array<ButtonSkin, 10> kButtons = {{
    {CSettingDlg::kTabMemoryCard,
     {11, 48, 140, 37},
     143,
     144,
     145,
     154,
     u"IDS_STRING105",
     kTabText,
     kTabText},
    {CSettingDlg::kTabCamera,
     {151, 48, 140, 37},
     147,
     148,
     149,
     146,
     u"IDS_STRING102",
     kTabText,
     kTabText},
    {CSettingDlg::kTabRoadSafety,
     {291, 48, 140, 37},
     147,
     148,
     149,
     150,
     u"IDS_STRING229",
     kTabText,
     kTabText},
    {CSettingDlg::kTabRecord,
     {431, 48, 140, 37},
     147,
     148,
     149,
     150,
     u"IDS_STRING228",
     kTabText,
     kTabText},
    {CSettingDlg::kTabSystem,
     {571, 48, 140, 37},
     151,
     152,
     153,
     154,
     u"IDS_STRING213",
     kTabText,
     kTabText},
    {CSettingDlg::kMinimise, {648, 0, 29, 26}, 155, 156, 157},
    {CSettingDlg::kClose, {677, 0, 29, 26}, 158, 159, 160},
    {CSettingDlg::kInitialize,
     {8, 546, 221, 29},
     161,
     162,
     163,
     0,
     u"IDS_STRING106",
     kCommandText,
     kWhite},
    {CSettingDlg::kCancel,
     {510, 546, 100, 29},
     161,
     162,
     163,
     0,
     u"IDS_STRING107",
     kCommandText,
     kWhite},
    {CSettingDlg::kSave,
     {614, 546, 100, 29},
     161,
     162,
     163,
     0,
     u"IDS_STRING108",
     kCommandText,
     kWhite},
}};

// The tabs' ids, left to right.
std::vector<int> TabIds() {
    std::vector<int> tabs;
    for (const ButtonSkin& skin : kButtons) {
        if (skin.selected != 0) {
            tabs.push_back(skin.id);
        }
    }
    return tabs;
}

constexpr std::array<int, 5> kLoadOrder = {CSettingDlg::kTabCamera, CSettingDlg::kTabRoadSafety,
                                           CSettingDlg::kTabRecord, CSettingDlg::kTabMemoryCard,
                                           CSettingDlg::kTabSystem};

} // namespace

CSettingDlg::CSettingDlg(AppContext& context)
    : QDialog(nullptr, Qt::FramelessWindowHint | Qt::Window), m_context(context) {
    setObjectName(QStringLiteral("102"));
    // The frame and the page area cover every pixel: no background fill under them.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSettingDlg::~CSettingDlg() {
    DestroyPages();
    m_context.settings.FinishDeferred(); // the owed work needs this window's zone catalogue
}

CRButton* CSettingDlg::Button(int id) const {
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

CBaseDialog* CSettingDlg::Page(int tabId) {
    if (m_pagesLater.erase(tabId) != 0) {
        CreateLaterPage(tabId);
    }
    return MadePage(tabId);
}

CBaseDialog* CSettingDlg::MadePage(int tabId) const {
    const auto found = m_pages.find(tabId);
    return found == m_pages.end() ? nullptr : found->second;
}

CSettingDlg::StartResult CSettingDlg::Start() {
    PlatformServices& platform = m_context.platform;
    m_context.registryLanguage.clear();
    platform.registry.ReadValue(RegistryRoot::LocalMachine, u"SOFTWARE\\BREVANTIS\\", u"LANGUAGE",
                                m_context.registryLanguage, 260);
    setWindowIcon(QIcon(new ProgramIconEngine));
    const std::string executable = platform.program.ExecutablePath();
    m_programFolder = FolderPath(std::filesystem::path(executable).parent_path());
    m_relaunchPath.clear();
    bool relaunchFailed = false;
    if (!m_programFolder.empty() && platform.volumes.IsRemovable(m_programFolder)) {
        const Relaunch relaunch = PrepareRelaunch();
        if (relaunch == Relaunch::Started) {
            return StartResult::Relaunched;
        }
        // Staying here, the editor edits the card it runs from, as the copy would have. A
        // system that itself runs from a removable drive wanted no copy: its program folder is
        // no card.
        relaunchFailed = relaunch == Relaunch::Failed;
        if (relaunchFailed && m_context.CardPath.empty()) {
            m_context.CardPath = m_programFolder;
        }
    }

    setFixedSize(kWidth, kHeight);
    if (m_card.Load(m_device).source == CardLoadSource::NoCard) {
        return StartResult::NoCardFolder;
    }
    const bool viewerRunning = platform.viewer.FindViewerWindow(kViewerTitle) != 0;
    const std::int32_t languageIndex =
        m_context.settings.Current().GetI32(OffsetOf("language_index"));
    const std::u16string pack = ChooseLanguagePack(viewerRunning, m_context.registryLanguage,
                                                   m_device.codes, languageIndex);
    m_context.language.LoadLanguage(pack);
    m_qtTexts.Use(pack);
    setWindowTitle(Text(m_context, u"IDS_STRING101"));
    CreateBackground();
    CreateControls();
    NamePictureButtons();
    ComposeFrame();
    CreatePages();
    LoadStartPages();
    SetUpKeyboard();
    m_ready = true;
    if (relaunchFailed) {
        // The editor now runs from the card and holds it busy until it closes: say so.
        m_context.prompt.ShowMessage(m_context.language.GetText(u"IDS_STRING460"));
    }
    return StartResult::Running;
}

// Copies the program off the memory card and starts the copy with the card folder. A copy that
// cannot be made or started is told (Failed), and this instance goes on in its place.
CSettingDlg::Relaunch CSettingDlg::PrepareRelaunch() {
    IProgramHost& program = m_context.platform.program;
    const std::string folder =
        (std::filesystem::path(program.LocalAppDataFolder()) / kLocalProgramFolderName).string();
    program.MakeFolder(folder);
    // Moving only helps when the copy lands on a fixed disk. A system that itself runs from a
    // memory card or a USB stick would get a copy on a removable drive again, which would take
    // its own folder for the card and drop the card folder the user named.
    if (m_context.platform.volumes.IsRemovable(folder)) {
        return Relaunch::NotWanted;
    }
    const std::string executable = program.ExecutablePath();
    const std::string copy =
        (std::filesystem::path(folder) / std::filesystem::path(executable).filename()).string();
    if (!program.CopyFile(executable, copy)) {
        m_context.platform.debug.Write(u"The program could not be copied to " +
                                       Utf16FromUtf8(copy));
        return Relaunch::Failed;
    }
    m_relaunchPath = copy;
    const bool started = program.StartDetached(copy, m_programFolder);
    const std::string workingFolder = FolderPath(std::filesystem::path(copy).parent_path());
    for (const std::string& text : {m_relaunchPath, m_programFolder, workingFolder}) {
        m_context.platform.debug.Write(Utf16FromUtf8(text));
    }
    if (!started) {
        m_context.platform.debug.Write(u"The copy could not be started: " + Utf16FromUtf8(copy));
        m_relaunchPath.clear();
        return Relaunch::Failed;
    }
    return Relaunch::Started;
}

void CSettingDlg::CreateBackground() {
    m_titleFont = TahomaFont(13, 700);
    m_background.Create(kWidth, kHeight, devicePixelRatioF()); // sharp on a dense screen
    CSkinStretcher().DrawStretched(m_background, 501);
}

// The title and the buttons, the only controls drawn over the background, lie outside the page
// area and have copied what lies under them: the frame is composed now and the whole-window
// canvas let go.
void CSettingDlg::ComposeFrame() {
    m_frame.Compose(m_background, kPageArea);
    m_background.Release();
}

void CSettingDlg::CreateControls() {
    m_title = new CRStaticText(this, kTitle, QRect(11, 7, 400, 20));
    const SkinTextStyle titleStyle{Text(m_context, u"IDS_STRING101"),
                                   Rgb(214, 223, 233),
                                   Rgb(255, 255, 255),
                                   Rgb(255, 255, 255),
                                   13,
                                   0};
    m_title->SetTextSkin(0, m_titleFont, &m_background, &titleStyle);

    for (const ButtonSkin& skin : kButtons) {
        auto* button = new CRButton(this, skin.id, skin.rect);
        if (skin.caption.empty()) {
            button->SetPlainSkin(skin.normal, skin.hover, skin.pressed, &m_background);
        } else {
            const SkinTextStyle style{
                Text(m_context, skin.caption), skin.normalText, skin.hoverText, kWhite, 13, 1};
            if (skin.selected != 0) {
                button->SetSelectedImage(skin.selected);
            }
            button->SetSkin(skin.normal, skin.hover, skin.pressed, &m_background, &style);
        }
        m_buttons[skin.id] = button;
    }
    m_buttons[kTabMemoryCard]->SetSelected(true);
    for (auto& [id, button] : m_buttons) {
        connect(button, &CRButton::clicked, this, &CSettingDlg::OnCommand);
    }
}

// The minimise and close buttons show a picture, not a caption: screen readers read these names.
void CSettingDlg::NamePictureButtons() {
    Button(kMinimise)->setAccessibleName(Text(m_context, u"IDS_STRING580"));
    Button(kClose)->setAccessibleName(Text(m_context, u"IDS_STRING581"));
}

void CSettingDlg::SetUpKeyboard() {
    std::vector<QWidget*> tabs;
    for (int id : TabIds()) {
        tabs.push_back(Button(id));
    }
    std::vector<QWidget*> commands;
    for (int id : {kInitialize, kCancel, kSave, kMinimise, kClose}) {
        commands.push_back(Button(id));
    }
    KeyboardNavigation::Actions actions{[this]() -> QWidget* {
                                            for (const auto& [tabId, page] : m_pages) {
                                                if (page != nullptr && !page->isHidden()) {
                                                    return page;
                                                }
                                            }
                                            return nullptr;
                                        },
                                        [this](int step) { StepTab(step); },
                                        [this] { OnCommand(kSave); }};
    m_keyboard = new KeyboardNavigation(this, std::move(tabs), std::move(commands), actions);
}

bool CSettingDlg::focusNextPrevChild(bool next) {
    return m_keyboard != nullptr ? m_keyboard->FocusNext(next) : QDialog::focusNextPrevChild(next);
}

// Selects the tab `step` places from the selected one, round the row. A focus on a tab or on
// the page that goes out of view moves to the newly selected tab.
void CSettingDlg::StepTab(int step) {
    const std::vector<int> tabs = TabIds();
    const auto selected =
        std::ranges::find_if(tabs, [this](int id) { return Button(id)->IsSelected(); });
    if (selected == tabs.end()) {
        return;
    }
    const int count = int(tabs.size());
    const int next = tabs[std::size_t(((selected - tabs.begin()) + step % count + count) % count)];
    QWidget* focused = focusWidget();
    CBaseDialog* shown = Page(*selected);
    const bool focusOnTabs = focused != nullptr && qobject_cast<CRButton*>(focused) != nullptr &&
                             Button(*selected) == focused;
    const bool focusOnPage = focused != nullptr && shown != nullptr && shown->isAncestorOf(focused);
    SelectTab(next);
    if (focusOnTabs || focusOnPage) {
        Button(next)->setFocus(Qt::TabFocusReason);
    }
}

// The zone catalogue takes longer to read than the whole start-up; it is read on a thread of
// its own once the window shows, and the System page's owed zone is settled when it is in.
void CSettingDlg::StartReadingTimeZones() {
    if (!m_timeZones.valid()) {
        m_timeZones = CTimeZoneInfoManager::ReadAside(m_context.platform.timeZones, [this] {
            QMetaObject::invokeMethod(
                this, [this] { m_context.settings.FinishDeferred(); }, Qt::QueuedConnection);
        });
    }
}

// Without a reading aside (the window never showed), the catalogue is read here and now.
TimeZoneCatalogue CSettingDlg::TakeTimeZones() {
    if (!m_timeZones.valid()) {
        return CTimeZoneInfoManager::Read(m_context.platform.timeZones);
    }
    return m_timeZones.get();
}

void CSettingDlg::AfterFirstFrame() {
    StartReadingTimeZones();
}

void CSettingDlg::AddPage(int tabId, CBaseDialog* page) {
    page->setParent(this);
    page->OnInitDialog();
    page->move(kPageArea.topLeft());
    page->setVisible(tabId == kTabMemoryCard);
    m_pages[tabId] = page;
}

// Only the shown page is made at start-up; the other four are made when first asked for, and
// then show the record as they would have after loading at start-up and after every
// Initialize since. Those loads only show the record, except the System page's, whose record
// part is kept apart from the page (SystemPageRecord) and done without it.
void CSettingDlg::CreatePages() {
    AddPage(kTabMemoryCard, new CEtcDlg(m_context));
    m_pagesLater = {kTabCamera, kTabRoadSafety, kTabRecord, kTabSystem};
    m_systemRecord =
        std::make_unique<SystemPageRecord>(m_context, [this] { return TakeTimeZones(); });
}

void CSettingDlg::CreateLaterPage(int tabId) {
    if (tabId == kTabSystem) {
        m_context.settings.FinishDeferred(); // the zone the page shows
        auto* system = new CSystemDlg(m_context, *m_systemRecord);
        system->SetDevice(m_device);
        AddPage(tabId, system);
        system->ShowLoadedRecord();
        return;
    }
    CBaseDialog* page = nullptr;
    switch (tabId) {
    case kTabCamera:
        page = new CCommonDlg(m_context);
        break;
    case kTabRoadSafety:
        page = new CNormalDlg(m_context);
        break;
    default:
        page = new CParkingDlg(m_context);
        break;
    }
    AddPage(tabId, page);
    page->LoadFromRecord();
}

void CSettingDlg::LoadPages() {
    for (int tabId : kLoadOrder) {
        if (CBaseDialog* page = MadePage(tabId)) {
            page->LoadFromRecord();
        } else if (tabId == kTabSystem) {
            m_systemRecord->Load();
        }
    }
}

// The start-up's loads: the shown page's, then the System page's record part. Its clock
// request is dropped now; its zone needs the zone catalogue, which is not read before the
// window shows, so the zone is owed to the record until the record's next use or until the
// catalogue is in, whichever comes first.
void CSettingDlg::LoadStartPages() {
    MadePage(kTabMemoryCard)->LoadFromRecord();
    m_systemRecord->DropClockRequest();
    m_context.settings.DeferUntilUsed([this] { m_systemRecord->LoadZone(); },
                                      {Field("time_zone_offset"), Field("time_zone_name")});
}

void CSettingDlg::DestroyPages() {
    m_pagesLater.clear();
    for (int tabId : kLoadOrder) {
        delete MadePage(tabId);
    }
    m_pages.clear();
}

void CSettingDlg::SelectTab(int tabId) {
    for (const ButtonSkin& skin : kButtons) {
        if (skin.selected == 0) {
            continue; // not a tab
        }
        const bool chosen = skin.id == tabId;
        Button(skin.id)->SetSelected(chosen);
        if (CBaseDialog* page = chosen ? Page(skin.id) : MadePage(skin.id)) {
            page->setVisible(chosen);
        }
    }
}

void CSettingDlg::OnCommand(int id) {
    switch (id) {
    case kTabCamera:
    case kTabRoadSafety:
    case kTabRecord:
    case kTabMemoryCard:
    case kTabSystem:
        SelectTab(id);
        break;
    case kMinimise:
        showMinimized();
        break;
    case kInitialize:
        m_card.RestoreDefaults();
        LoadPages();
        break;
    case kClose:
    case kCancel:
        EndRun();
        break;
    case kSave:
        Save();
        break;
    default:
        break;
    }
}

void CSettingDlg::Save() {
    // A save that did not reach the card keeps the window and every change, so nothing the
    // driver set is lost: the message says what failed, and Save can be pressed again. Only the
    // fields changed in this window are saved, over what the card holds now, so values another
    // program saved while the window was open stay.
    SaveDialogue dialogue(m_context);
    CardSaveChoices choices;
    choices.keepMine = [&dialogue](const SettingsField& field, const SettingsRecord& mine,
                                   const SettingsRecord& card) {
        return dialogue.KeepMine(field, mine, card);
    };
    choices.acceptPartial = [&dialogue](const std::string& path, std::uint32_t written) {
        return dialogue.AcceptPartialSave(path, written);
    };
    const CardSaveResult saved = m_card.Save(choices);
    switch (saved.step) {
    case CardSaveStep::Saved:
        EndRun();
        break;
    case CardSaveStep::SetupFailed:
        dialogue.TellSaveFailed(saved.path, saved.error);
        break;
    case CardSaveStep::ClockFailed:
        dialogue.TellClockFileFailed(saved.path, saved.clockWriting, saved.error);
        break;
    case CardSaveStep::NoCard:
    case CardSaveStep::PartialRefused:
        break;
    }
}

void CSettingDlg::EndRun() {
    DestroyPages();
    m_context.settings.ReleaseRecord();
    m_ready = false;
    QDialog::reject();
}

void CSettingDlg::closeEvent(QCloseEvent* event) {
    // Closed by other means (the window manager): nothing is written.
    DestroyPages();
    m_context.settings.ReleaseRecord();
    QDialog::closeEvent(event);
}

void CSettingDlg::keyPressEvent(QKeyEvent* event) {
    // The window has no default or cancel button: Enter and Escape do nothing.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CSettingDlg::paintEvent(QPaintEvent*) {
    if (!m_ready) {
        return;
    }
    QPainter painter(this);
    m_frame.Paint(painter);
    if (m_firstPaintPending) {
        m_firstPaintPending = false;
        QMetaObject::invokeMethod(this, &CSettingDlg::AfterFirstFrame, Qt::QueuedConnection);
    }
}

void CSettingDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_dragOrigin = event->globalPosition().toPoint() - frameGeometry().topLeft();
        m_systemMoveTried = false;
    }
    QDialog::mousePressEvent(event);
}

void CSettingDlg::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        // The platform's own window drag where it has one; otherwise follow the mouse.
        if (!m_systemMoveTried) {
            m_systemMoveTried = true;
            m_systemMoving = windowHandle() != nullptr && windowHandle()->startSystemMove();
        }
        if (!m_systemMoving) {
            move(event->globalPosition().toPoint() - m_dragOrigin);
        }
    }
    QDialog::mouseMoveEvent(event);
}

} // namespace dashcam
