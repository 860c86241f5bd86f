#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "pages/CBaseDialog.h"
#include "platform/Formatter.h"
#include "platform/Prompt.h"

namespace dashcam {

// The Memory-card page: overwrite flags, partition type and its chart, card format.
class CEtcDlg : public CBaseDialog {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 133;
    static constexpr int kFocusHolderId = 1342;
    static constexpr int kBarCount = 5;

    explicit CEtcDlg(AppContext& context, QWidget* parent = nullptr);

    void LoadFromRecord() override;
    // What the Format button formats with and asks through, in place of the platform's
    // formatter and the application's prompt.
    void SetCardFormat(IFormatter& formatter, IPrompt& prompt);

    // The card's share of each recording type under a partition type (type A for any value
    // other than 2 and 3), and the bar widths and percentage texts the chart shows for them.
    static const std::array<float, kBarCount>& Shares(int partition);
    static std::array<int, kBarCount> BarWidths(int partition);
    static QString PercentText(float share);
    // Where bar i is drawn, in content coordinates.
    QRect BarRect(int index) const;

protected:
    void Layout() override;
    void PaintContent(QPainter& painter) override;

private:
    void PlaceShareLabels();
    void PlaceOverwriteBoxes();
    void ShowPartition();

    std::array<QCheckBox*, 4> m_overwrite{};
    IFormatter* m_formatter;
    IPrompt* m_formatPrompt;
};

} // namespace dashcam
