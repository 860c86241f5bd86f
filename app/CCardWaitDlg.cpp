#include "app/CCardWaitDlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace dashcam {
namespace {

constexpr int kTextControlId = 1601;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;

} // namespace

CCardWaitDlg::CCardWaitDlg(IMountWatch& watch, Finder find, const QString& cancelText)
    : CPopupDlgBase(nullptr,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint,
                    kTextControlId),
      m_watch(watch), m_find(std::move(find)), m_cancel(new QPushButton(cancelText, this)) {
    m_cancel->setObjectName(QStringLiteral("2"));
    m_cancel->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

CCardWaitDlg::~CCardWaitDlg() {
    m_watch.Stop();
}

void CCardWaitDlg::LayOut() {
    TextControl()->setGeometry(10, 28, Width() - 20, 40);
    m_cancel->setGeometry((Width() - kButtonWidth) / 2, Height() - 60, kButtonWidth, kButtonHeight);
    m_cancel->show();
}

// Watching starts with the window; one look right after it catches a card mounted between the
// first search and now. That look waits for the event loop: a window ended while it is still
// being shown would leave its modal loop running.
void CCardWaitDlg::showEvent(QShowEvent* event) {
    CPopupDlgBase::showEvent(event);
    m_watch.Start([this] { LookAgain(); });
    QTimer::singleShot(0, this, &CCardWaitDlg::LookAgain);
}

void CCardWaitDlg::done(int result) {
    m_watch.Stop();
    CPopupDlgBase::done(result);
}

void CCardWaitDlg::LookAgain() {
    if (!isVisible()) {
        return;
    }
    m_cards = m_find();
    if (!m_cards.empty()) {
        accept();
    }
}

} // namespace dashcam
