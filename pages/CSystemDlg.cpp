#include "pages/CSystemDlg.h"

#include <QDateTime>
#include <QRadioButton>

#include "card/TouchCalibration.h"
#include "settings/SettingsFields.h"
#include "text/Placeholders.h"
#include "text/Utf.h"

namespace dashcam {

namespace {

constexpr auto kVoiceOn = OffsetOf("voice_guidance_enable");
constexpr auto kVolume = OffsetOf("voice_volume");
constexpr auto kLanguage = OffsetOf("language_index");

// The pickers show whole seconds, as the camera's clock file holds them.
QTime WholeSeconds(const QTime& time) {
    return QTime(time.hour(), time.minute(), time.second());
}

struct Placed {
    int id;
    const char16_t* key;
    int x, y;
};

} // namespace

CSystemDlg::CSystemDlg(AppContext& context, QWidget* parent,
                       const std::function<TimeZoneCatalogue()>& readCatalogue)
    : CSystemDlg(context, parent, std::make_unique<SystemPageRecord>(context, readCatalogue),
                 nullptr) {
    m_record.Zones(); // the catalogue is built with the page
}

CSystemDlg::CSystemDlg(AppContext& context, SystemPageRecord& record)
    : CSystemDlg(context, nullptr, nullptr, &record) {}

CSystemDlg::CSystemDlg(AppContext& context, QWidget* parent,
                       std::unique_ptr<SystemPageRecord> ownRecord, SystemPageRecord* record)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 250, 100, parent),
      m_ownRecord(std::move(ownRecord)), m_record(record != nullptr ? *record : *m_ownRecord),
      m_languages(AddControl(1390, new CPageComboBox)),
      m_timeZones(AddControl(1123, new CPageComboBox)) {
    AddLabels({1363, 1014, 1017, 1032, 1033, 1034, 1036, 1301, 1345, 1365, 1366, 1302});
    auto* volume = AddControl(1018, new CSubSlider);
    BindSlider(1035, dashcam::Field("lcd_brightness"));
    NameAfterLabel(1018, 1017);
    NameAfterLabel(1035, 1032);
    BindRadios(dashcam::Field("lcd_off"), {{1037, 30000}, {1038, 600000}, {1039, 0}}, 1037);
    BindRadios(dashcam::Field("security_led"), {{1330, 1}, {1331, 2}, {1332, 3}, {1333, 0}});
    BindRadios(dashcam::Field("daylight_saving"), {{1380, 1}, {1381, 0}}, 1380);
    BindRadios(dashcam::Field("speed_unit"), {{1382, 0}, {1383, 1}}, 1383);
    BindRadios(dashcam::Field("speed_stamp"), {{1387, 1}, {1398, 0}}, 1398);

    // Off keeps the volume the user had, so that turning the voice on again restores it.
    connect(volume, &CSubSlider::userMoved, this, [this](int position) {
        SetField(kVoiceOn, position == 0 ? 0 : 1);
        if (position != 0) {
            SetField(kVolume, position);
        }
    });
    connect(m_languages, &QComboBox::activated, this, [this](int index) {
        if (m_device != nullptr && index >= 0 &&
            static_cast<std::size_t>(index) < m_device->nameCodeIndex.size()) {
            SetField(kLanguage, static_cast<int>(m_device->nameCodeIndex[index]));
        }
    });
    connect(m_timeZones, &QComboBox::activated, this, [this](int index) {
        m_record.Zones().SelectZone(index, m_context.settings.Current());
    });
    MakeClockControls();
}

void CSystemDlg::MakeClockControls() {
    AddLabels({kDateTimeTitle, kDateLabel, kTimeLabel, kTouchTitle});
    m_clockBox = AddControl(kClockBox, new QCheckBox);
    m_datePicker = AddControl(kDatePicker, new QDateEdit(QDate::currentDate()));
    m_timePicker = AddControl(kTimePicker, new QTimeEdit(WholeSeconds(QTime::currentTime())));
    m_syncButton = AddControl(kSyncButton, new QPushButton);
    auto* touch = AddControl(kTouchCalibration, new QPushButton);
    // Year first and a 24-hour clock read the same in every language of the packs.
    m_datePicker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    m_datePicker->setCalendarPopup(true);
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_datePicker->setFocusPolicy(Qt::StrongFocus);
    m_timePicker->setFocusPolicy(Qt::StrongFocus);
    connect(m_clockBox, &QCheckBox::clicked, this, &CSystemDlg::OnClockBox);
    connect(m_datePicker, &QDateEdit::dateChanged, this, [this] {
        if (m_context.clockRequest.flag != 0) {
            TakeDate();
        }
    });
    connect(m_timePicker, &QTimeEdit::timeChanged, this, [this] {
        if (m_context.clockRequest.flag != 0) {
            TakeTime();
        }
    });
    connect(m_syncButton, &QPushButton::clicked, this, [this] {
        const QDateTime now = QDateTime::currentDateTime();
        m_datePicker->setDate(now.date());
        m_timePicker->setTime(WholeSeconds(now.time()));
    });
    connect(touch, &QPushButton::clicked, this, &CSystemDlg::OnTouchCalibration);
}

void CSystemDlg::EnableClockPickers(bool on) {
    m_datePicker->setEnabled(on);
    m_timePicker->setEnabled(on);
    m_syncButton->setEnabled(on);
}

void CSystemDlg::TakeDate() {
    const QDate date = m_datePicker->date();
    SystemTime& time = m_context.clockRequest.time;
    time.wYear = std::uint16_t(date.year());
    time.wMonth = std::uint16_t(date.month());
    time.wDayOfWeek = std::uint16_t(date.dayOfWeek() % 7); // Sunday is 0
    time.wDay = std::uint16_t(date.day());
}

void CSystemDlg::TakeTime() {
    const QTime clock = m_timePicker->time();
    SystemTime& time = m_context.clockRequest.time;
    time.wHour = std::uint16_t(clock.hour());
    time.wMinute = std::uint16_t(clock.minute());
    time.wSecond = std::uint16_t(clock.second());
    time.wMilliseconds = std::uint16_t(clock.msec());
}

void CSystemDlg::OnClockBox(bool checked) {
    m_context.clockRequest.flag = checked ? 1 : 0;
    EnableClockPickers(checked);
    if (checked) {
        TakeDate();
        TakeTime();
    }
}

// Asked twice, as the camera's own menu does; the request file is made at once, whatever
// Save or Cancel do later.
void CSystemDlg::OnTouchCalibration() {
    const std::u16string caption = m_context.language.GetText(u"IDS_STRING219");
    std::u16string question = m_context.language.GetText(u"IDS_STRING220");
    if (const std::u16string second = m_context.language.GetText(u"IDS_STRING2200");
        !second.empty()) {
        question += u"\n" + second;
    }
    if (!m_context.prompt.AskYesNo(caption, question, 370, 170)) {
        return;
    }
    IVolumes& volumes = m_context.platform.volumes;
    // The file goes to the root of the folder's volume: on the PC's own disk that is no card.
    if (!volumes.IsRemovable(m_context.CardPath)) {
        m_context.prompt.ShowMessage(caption, m_context.language.GetText(u"IDS_STRING610"));
        return;
    }
    m_context.prompt.ShowMessage(caption, m_context.language.GetText(u"IDS_STRING221"));
    if (!RequestTouchCalibrationReset(volumes, m_context.platform.files, m_context.CardPath)) {
        const std::string file = TouchCalibrationFile(volumes, m_context.CardPath);
        m_context.prompt.ShowMessage(
            caption,
            FillPlaceholders(m_context.language.GetText(u"IDS_STRING611"), {Utf16FromUtf8(file)}));
    }
}

void CSystemDlg::Layout() {
    ClearSectionTitles();
    const Placed titles[] = {{1363, u"IDS_STRING193", 15, 20},  {1014, u"IDS_STRING217", 15, 85},
                             {1032, u"IDS_STRING197", 15, 212}, {1036, u"IDS_STRING198", 15, 342},
                             {1301, u"IDS_STRING155", 15, 472}, {1345, u"IDS_STRING185", 15, 637},
                             {1365, u"IDS_STRING196", 15, 717}, {1366, u"IDS_STRING190", 15, 822},
                             {1302, u"IDS_STRING309", 15, 892}};
    for (const Placed& t : titles) {
        PlaceSectionTitle(t.id, Text(t.key), t.x, t.y);
    }
    const Placed texts[] = {{1017, u"IDS_STRING117", 60, 172},  {1033, u"IDS_STRING199", 75, 302},
                            {1034, u"IDS_STRING200", 500, 302}, {1037, u"IDS_STRING201", 25, 372},
                            {1038, u"IDS_STRING202", 25, 402},  {1039, u"IDS_STRING116", 25, 432},
                            {1330, u"IDS_STRING227", 25, 502},  {1331, u"IDS_STRING169", 25, 532},
                            {1332, u"IDS_STRING170", 25, 562},  {1333, u"IDS_STRING154", 25, 592},
                            {1380, u"IDS_STRING115", 25, 747},  {1381, u"IDS_STRING116", 25, 777},
                            {1382, u"IDS_STRING191", 25, 852},  {1383, u"IDS_STRING192", 125, 852},
                            {1387, u"IDS_STRING115", 25, 932},  {1398, u"IDS_STRING116", 25, 957}};
    for (const Placed& t : texts) {
        PlaceLabel(t.id, Text(t.key), TextFont(), t.x, t.y);
    }
    PlaceControlWithFont(1390, TextFont(), {}, 25, 45, 250, 25, false);
    const QString sample = QString("123456789 ").repeated(7);
    PlaceControlWithFont(1123, TextFont(), sample, 25, 672, 0, 25, true);

    CSubSlider* volume = Slider(1018);
    PlaceControl(1018, 150, 130, 350, 55);
    volume->SetLabelFont(TextFont());
    volume->SetTickLabels({"OFF", "1", "2", "3"}, CSubSlider::kEveryLabel);
    // Off, then every volume.
    volume->setRange(0, dashcam::Field("voice_volume").allowed.maximum);
    volume->setTickInterval(1);
    volume->SetPosition(2);
    PlaceControl(1035, 150, 257, 350, 55);
    SetBoundRange(1035);
    Slider(1035)->SetPosition(1);
    PlaceClockControls(997);
}

// Below the speed stamp, two sections the camera's layout left out: the clock request and the
// touch-calibration reset. The scroll limit grows to show them whole.
void CSystemDlg::PlaceClockControls(int top) {
    PlaceSectionTitle(kDateTimeTitle, Text(u"IDS_STRING183"), 15, top);
    PlaceLabel(kClockBox, Text(u"IDS_STRING184"), TextFont(), 25, top + 30);
    const int labels =
        std::max(PlaceLabel(kDateLabel, Text(u"IDS_STRING186"), TextFont(), 45, top + 65).width(),
                 PlaceLabel(kTimeLabel, Text(u"IDS_STRING187"), TextFont(), 45, top + 100).width());
    const int pickers = 45 + labels;
    PlaceControlWithFont(kDatePicker, TextFont(), {}, pickers, top + 60, 120, 25, false);
    PlaceControlWithFont(kTimePicker, TextFont(), {}, pickers, top + 95, 120, 25, false);
    const QString sync = Text(u"IDS_STRING188");
    m_syncButton->setText(sync);
    PlaceControlWithFont(kSyncButton, TextFont(), {}, pickers + 135, top + 77,
                         MeasureTextWidth(sync, TextFont()) + 30, 25, false);
    PlaceSectionTitle(kTouchTitle, Text(u"IDS_STRING218"), 15, top + 145);
    auto* touch = static_cast<QPushButton*>(Control(kTouchCalibration));
    const QString initialize = Text(u"IDS_STRING219");
    touch->setText(initialize);
    PlaceControlWithFont(kTouchCalibration, TextFont(), {}, 25, top + 175,
                         std::max(120, MeasureTextWidth(initialize, TextFont()) + 30), 25, false);
    constexpr int kBottomMargin = 20;
    SetScrollLimit(top + 200 + kBottomMargin - kHeight);
}

void CSystemDlg::ShowTimeZones() {
    const ZoneListContent& content = m_record.ZoneList();
    const QSignalBlocker quiet(m_timeZones);
    m_timeZones->clear();
    for (const std::u16string& text : content.texts) {
        m_timeZones->addItem(QString::fromStdU16String(text));
    }
    m_timeZones->setCurrentIndex(content.selected);
}

// Only languages with a name are listed; each item stores its own code's index.
void CSystemDlg::LoadLanguages() {
    if (m_device == nullptr) {
        return;
    }
    const QSignalBlocker quiet(m_languages);
    if (m_languages->count() == 0) {
        for (const std::u16string& name : m_device->names) {
            m_languages->addItem(QString::fromStdU16String(name));
        }
    }
    const int stored = Field(kLanguage);
    int selected = -1;
    for (std::size_t i = 0; i < m_device->nameCodeIndex.size(); ++i) {
        if (stored >= 0 && m_device->nameCodeIndex[i] == static_cast<std::size_t>(stored)) {
            selected = static_cast<int>(i);
        }
    }
    m_languages->setCurrentIndex(selected);
}

void CSystemDlg::LoadFromRecord() {
    m_record.Load();
    ShowLoadedRecord();
}

void CSystemDlg::ShowLoadedRecord() {
    ShowTimeZones();
    Slider(1018)->SetPosition(Field(kVoiceOn) != 0 ? Field(kVolume) : 0);
    // The camera's clock is set only when asked for after the load.
    m_clockBox->setChecked(false);
    EnableClockPickers(false);
    LoadLanguages();
    ShowBoundControls();
}

} // namespace dashcam
