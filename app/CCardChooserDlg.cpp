#include "app/CCardChooserDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "text/AnsiCodePage.h"
#include "text/CLanguageManager.h"

namespace dashcam {
namespace {

constexpr int kTextControlId = 1602;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;
constexpr std::uint64_t kGigabyte = 1000ull * 1000 * 1000;

QString Text(CLanguageManager& language, std::u16string_view key) {
    return QString::fromStdU16String(language.GetText(key));
}

// Sizes as the card's maker prints them on the card: decimal gigabytes, megabytes below one.
QString SizeText(std::uint64_t bytes, CLanguageManager& language) {
    if (bytes >= kGigabyte) {
        return Text(language, u"IDS_STRING540").arg(double(bytes) / kGigabyte, 0, 'f', 1);
    }
    return Text(language, u"IDS_STRING541").arg(bytes / 1000 / 1000);
}

} // namespace

CCardChooserDlg::CCardChooserDlg(const std::vector<FoundCard>& cards, CLanguageManager& language)
    : CPopupDlgBase(nullptr,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint,
                    kTextControlId),
      m_list(new QListWidget(this)),
      m_open(new QPushButton(Text(language, u"IDS_STRING545"), this)),
      m_cancel(new QPushButton(Text(language, u"IDS_STRING107"), this)) {
    m_list->setObjectName(QStringLiteral("1603"));
    m_open->setObjectName(QStringLiteral("1"));
    m_cancel->setObjectName(QStringLiteral("2"));
    for (const FoundCard& card : cards) {
        m_list->addItem(Describe(card, language));
    }
    m_list->setCurrentRow(0);
    m_open->setDefault(true);
    connect(m_open, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
}

int CCardChooserDlg::Chosen() const {
    return m_list->currentRow();
}

QString CCardChooserDlg::Describe(const FoundCard& card, CLanguageManager& language) {
    QStringList parts;
    parts << (card.label.empty() ? Text(language, u"IDS_STRING542")
                                 : QString::fromStdString(card.label));
    parts << SizeText(card.sizeBytes, language);
    if (!card.productName.empty()) {
        parts << QString::fromStdU16String(Utf16FromAnsi(card.productName));
    }
    return parts.join(QStringLiteral("  ·  "));
}

void CCardChooserDlg::LayOut() {
    const int w = Width();
    const int h = Height();
    TextControl()->setGeometry(10, 16, w - 20, 40);
    m_list->setGeometry(10, 60, w - 20, h - 130);
    m_open->setGeometry(w / 2 - 95, h - 60, kButtonWidth, kButtonHeight);
    m_cancel->setGeometry(w / 2 + 10, h - 60, kButtonWidth, kButtonHeight);
    m_list->show();
    m_open->show();
    m_cancel->show();
}

} // namespace dashcam
