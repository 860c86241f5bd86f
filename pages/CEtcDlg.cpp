#include "pages/CEtcDlg.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "card/CCardFormat.h"
#include "settings/SettingsFields.h"
#include "skin/CMemCanvas.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {

namespace {

constexpr std::array<std::size_t, 4> kOverwriteOffsets = {
    OffsetOf("event_recording"), OffsetOf("motion_detection"), OffsetOf("event_recording_park"),
    OffsetOf("manual_recording")};
constexpr std::array<int, 4> kOverwriteIds = {1320, 1321, 1322, 1323};
constexpr std::array<int, 3> kPartitionIds = {1334, 1335, 1336};
constexpr int kFirstShareLabel = 1306;
constexpr int kFirstPercentLabel = 1312;
constexpr int kFirstBarPng = 175;
constexpr int kBarHeight = 15;
constexpr int kChartWidth = 450;

constexpr std::array<std::array<float, CEtcDlg::kBarCount>, 3> kShares = {{
    {0.606f, 0.2f, 0.05f, 0.03f, 0.1f},
    {0.363f, 0.15f, 0.05f, 0.03f, 0.4f},
    {0.536f, 0.15f, 0.15f, 0.05f, 0.1f},
}};

} // namespace

CEtcDlg::CEtcDlg(AppContext& context, QWidget* parent)
    : CBaseDialog(context, kTemplateId, kFocusHolderId, 100, 100, parent),
      m_formatter(&context.platform.formatter), m_formatPrompt(&context.prompt) {
    AddLabels({1305, 1306, 1307, 1308, 1309, 1310, 1340, 1300});
    for (int i = 0; i < kBarCount; ++i) {
        AddControl(kFirstPercentLabel + i, new QLabel)->setAlignment(Qt::AlignRight);
    }
    BindRadios(dashcam::Field("memory_partition"),
               {{kPartitionIds[0], 1}, {kPartitionIds[1], 2}, {kPartitionIds[2], 3}}, kNoRadio,
               [this](std::int32_t) { ShowPartition(); });
    AddControl(1325, new QCheckBox);
    for (std::size_t i = 0; i < m_overwrite.size(); ++i) {
        m_overwrite[i] = AddControl(kOverwriteIds[i], new QCheckBox);
        connect(m_overwrite[i], &QCheckBox::clicked, this,
                [this, i](bool checked) { SetField(kOverwriteOffsets[i], checked ? 1 : 0); });
    }
    auto* format = AddControl(1341, new QPushButton);
    connect(format, &QPushButton::clicked, this,
            [this] { CCardFormat(m_context, *m_formatter, *m_formatPrompt).OnFormatButton(); });
}

void CEtcDlg::SetCardFormat(IFormatter& formatter, IPrompt& prompt) {
    m_formatter = &formatter;
    m_formatPrompt = &prompt;
}

void CEtcDlg::Layout() {
    ClearSectionTitles();
    PlaceSectionTitle(1305, Text(u"IDS_STRING156"), 15, 20);
    const int widthA = PlaceLabel(1334, Text(u"IDS_STRING157"), TextFont(), 25, 45).width();
    const int xB = 55 + widthA;
    const int widthB = PlaceLabel(1335, Text(u"IDS_STRING158"), TextFont(), xB, 45).width();
    PlaceLabel(1336, Text(u"IDS_STRING159"), TextFont(), xB + widthB + 100, 45);
    PlaceShareLabels();

    PlaceSectionTitle(1340, Text(u"IDS_STRING160"), 15, 245);
    const QString formatText = Text(u"IDS_STRING161");
    QWidget* format = Control(1341);
    format->setFont(TextFont());
    format->setProperty("text", formatText);
    format->setGeometry(25, 284, 6 * static_cast<int>(formatText.size()) + 40, 30);

    PlaceSectionTitle(1300, Text(u"IDS_STRING145"), 15, 334);
    PlaceOverwriteBoxes();
    SetScrollLimit(67);
}

void CEtcDlg::PlaceShareLabels() {
    const char16_t* keys[kBarCount] = {u"IDS_STRING171", u"IDS_STRING172", u"IDS_STRING173",
                                       u"IDS_STRING174", u"IDS_STRING175"};
    int widest = 0;
    for (int i = 0; i < kBarCount; ++i) {
        widest = std::max(
            widest,
            PlaceLabel(kFirstShareLabel + i, Text(keys[i]), TextFont(), 25, 85 + 30 * i).width());
    }
    for (int i = 0; i < kBarCount; ++i) {
        PlaceLabel(kFirstPercentLabel + i, "000", TextFont(), widest + 50, 85 + 30 * i);
    }
}

void CEtcDlg::PlaceOverwriteBoxes() {
    auto* continuous = static_cast<QCheckBox*>(Control(1325));
    PlaceLabel(1325, Text(u"IDS_STRING166"), TextFont(), 25, 374);
    continuous->setChecked(true);
    continuous->setEnabled(false);
    const char16_t* keys[4] = {u"IDS_STRING147", u"IDS_STRING148", u"IDS_STRING149",
                               u"IDS_STRING150"};
    for (int i = 0; i < 4; ++i) {
        PlaceLabel(kOverwriteIds[i], Text(keys[i]), TextFont(), 25, 399 + 25 * i);
    }
}

void CEtcDlg::LoadFromRecord() {
    for (std::size_t i = 0; i < m_overwrite.size(); ++i) {
        // Any value other than 0 shows as checked; the record keeps it until the box is clicked.
        const QSignalBlocker quiet(m_overwrite[i]);
        m_overwrite[i]->setChecked(Field(kOverwriteOffsets[i]) != 0);
    }
    ShowBoundControls();
    ShowPartition();
}

const std::array<float, CEtcDlg::kBarCount>& CEtcDlg::Shares(int partition) {
    return kShares[partition == 2 || partition == 3 ? partition - 1 : 0];
}

std::array<int, CEtcDlg::kBarCount> CEtcDlg::BarWidths(int partition) {
    std::array<int, kBarCount> widths{};
    std::ranges::transform(Shares(partition), widths.begin(), [](float share) {
        return static_cast<int>(static_cast<double>(share) * kChartWidth);
    });
    return widths;
}

QString CEtcDlg::PercentText(float share) {
    return QString::asprintf("%3.1f%%", static_cast<double>(share) * 100);
}

// The percentages follow the partition type at once; the bars follow at the next paint.
void CEtcDlg::ShowPartition() {
    const auto& shares = Shares(Field(OffsetOf("memory_partition")));
    for (int i = 0; i < kBarCount; ++i) {
        Control(kFirstPercentLabel + i)->setProperty("text", PercentText(shares[i]));
    }
    Content()->update();
}

QRect CEtcDlg::BarRect(int index) const {
    const QRect percent = Control(kFirstPercentLabel)->geometry();
    const QRect typeA = Control(kPartitionIds[0])->geometry();
    const int width = BarWidths(Field(OffsetOf("memory_partition")))[index];
    return {percent.x() + percent.width() + 10, typeA.y() + typeA.height() + 21 + 30 * index, width,
            kBarHeight};
}

void CEtcDlg::PaintContent(QPainter& painter) {
    CBaseDialog::PaintContent(painter);
    CSkinStretcher stretcher;
    for (int i = 0; i < kBarCount; ++i) {
        const QRect rect = BarRect(i);
        CMemCanvas bar;
        // Composed at the screen's density, so the bars stay sharp there.
        if (rect.width() <= 0 ||
            !bar.Create(rect.width(), rect.height(), painter.device()->devicePixelRatioF())) {
            continue;
        }
        stretcher.DrawStretched(bar, kFirstBarPng + i);
        painter.drawImage(rect.topLeft(), bar.Image());
    }
}

} // namespace dashcam
