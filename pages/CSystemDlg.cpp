#include "pages/CSystemDlg.h"

#include <QRadioButton>

#include "settings/SettingsFields.h"

namespace dashcam {

namespace {

constexpr auto kVoiceOn = OffsetOf("voice_guidance_enable");
constexpr auto kVolume = OffsetOf("voice_volume");
constexpr auto kLanguage = OffsetOf("language_index");

struct Placed {
    int id;
    const char16_t* key;
    int x, y;
};

} // namespace

CSystemDlg::CSystemDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 250, 100, parent),
      m_zones(context.platform.timeZones, context.platform.pcTimeZone, context.platform.debug),
      m_languages(AddControl(1390, new CPageComboBox)),
      m_timeZones(AddControl(1123, new CPageComboBox)) {
    AddLabels({1363, 1014, 1017, 1032, 1033, 1034, 1036, 1301, 1345, 1365, 1366, 1302});
    auto* volume = AddControl(1018, new CSubSlider);
    auto* brightness = AddControl(1035, new CSubSlider);
    m_lcdOff = MakeRadios(OffsetOf("lcd_off"), {{1037, 30000}, {1038, 600000}, {1039, 0}});
    m_led = MakeRadios(OffsetOf("security_led"), {{1330, 1}, {1331, 2}, {1332, 3}, {1333, 0}});
    m_daylight = MakeRadios(OffsetOf("daylight_saving"), {{1380, 1}, {1381, 0}});
    m_speedUnit = MakeRadios(OffsetOf("speed_unit"), {{1382, 0}, {1383, 1}});
    m_stamp = MakeRadios(OffsetOf("speed_stamp"), {{1387, 1}, {1398, 0}});

    // Off keeps the volume the user had, so that turning the voice on again restores it.
    connect(volume, &CSubSlider::userMoved, this, [this](int position) {
        SetField(kVoiceOn, position == 0 ? 0 : 1);
        if (position != 0) {
            SetField(kVolume, position);
        }
    });
    connect(brightness, &CSubSlider::userMoved, this,
            [this](int position) { SetField(OffsetOf("lcd_brightness"), position); });
    connect(m_languages, &QComboBox::activated, this, [this](int index) {
        if (m_device != nullptr && index >= 0 &&
            static_cast<std::size_t>(index) < m_device->nameCodeIndex.size()) {
            SetField(kLanguage, static_cast<int>(m_device->nameCodeIndex[index]));
        }
    });
    connect(m_timeZones, &QComboBox::activated, this,
            [this](int index) { m_zones.SelectZone(index, m_context.settings.Current()); });
}

QButtonGroup* CSystemDlg::MakeRadios(std::size_t offset,
                                     std::initializer_list<std::pair<int, int>> radios) {
    auto* group = new QButtonGroup(this);
    for (const auto& [id, stored] : radios) {
        auto* radio = AddControl(id, new QRadioButton);
        group->addButton(radio);
        connect(radio, &QRadioButton::clicked, this,
                [this, offset, value = stored] { SetField(offset, value); });
    }
    return group;
}

void CSystemDlg::Show(QButtonGroup* group, int id) {
    ShowChecked(group, id == 0 ? nullptr : static_cast<QAbstractButton*>(Control(id)));
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
    volume->setRange(0, 3);
    volume->setTickInterval(1);
    volume->SetPosition(2);
    PlaceControl(1035, 150, 257, 350, 55);
    Slider(1035)->setRange(0, 2);
    Slider(1035)->setTickInterval(1);
    Slider(1035)->SetPosition(1);
    SetScrollLimit(550);
}

void CSystemDlg::LoadTimeZones() {
    const ZoneListContent content = m_zones.LoadFromRecord(m_context.settings.Current());
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
    LoadTimeZones();
    Slider(1018)->SetPosition(Field(kVoiceOn) != 0 ? Field(kVolume) : 0);
    const int led = Field(OffsetOf("security_led"));
    Show(m_led, led == 0 ? 1333 : led >= 1 && led <= 3 ? 1329 + led : 0);
    // The camera's clock is set only when asked for after this load.
    m_context.clockRequest.flag = 0;
    LoadLanguages();
    Show(m_daylight, Field(OffsetOf("daylight_saving")) != 0 ? 1380 : 1381);
    Show(m_speedUnit, Field(OffsetOf("speed_unit")) != 0 ? 1383 : 1382);
    Slider(1035)->SetPosition(Field(OffsetOf("lcd_brightness")));
    const int off = Field(OffsetOf("lcd_off"));
    Show(m_lcdOff, off == 0 ? 1039 : off == 600000 ? 1038 : 1037);
    Show(m_stamp, Field(OffsetOf("speed_stamp")) == 1 ? 1387 : 1398);
}

} // namespace dashcam
