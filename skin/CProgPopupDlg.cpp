#include "skin/CProgPopupDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace dashcam {

namespace {

constexpr int kTextControlId = 1120;
constexpr int kProgressBarId = 1118;

} // namespace

CProgPopupDlg::CProgPopupDlg(QWidget* parent)
    : CPopupDlgBase(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint,
                    kTextControlId),
      m_bar(new QProgressBar(this)) {
    m_bar->setObjectName(QString::number(kProgressBarId));
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
}

void CProgPopupDlg::Run(QWidget* parent, const QString& title, const QString& text, int width,
                        int height, const std::function<void(IProgress&)>& start) {
    CProgPopupDlg popup(parent);
    popup.SetContent(title, text, width, height);
    start(popup);
    popup.DoModal();
}

void CProgPopupDlg::SetProgress(int value) {
    m_progress.store(std::min(value, 100));
    QMetaObject::invokeMethod(this, [this] { ShowStoredProgress(); });
}

// Only posts: the request is recorded on the user-interface thread. Were it recorded here, the
// popup could end from its show handler and be destroyed while this call still uses it.
void CProgPopupDlg::Close() {
    QMetaObject::invokeMethod(this, [this] {
        m_closeRequested = true;
        FinishIfClosed();
    });
}

// A value below 0 shows the bar at its start.
void CProgPopupDlg::ShowStoredProgress() {
    m_bar->setValue(std::max(m_progress.load(), 0));
}

// Runs on the user-interface thread. Before the popup is shown there is no modal loop to end;
// showEvent looks at the request again.
void CProgPopupDlg::FinishIfClosed() {
    if (m_closeRequested && isVisible()) {
        QDialog::done(QDialog::Rejected);
    }
}

void CProgPopupDlg::LayOut() {
    const int w = Width();
    const int given = LineBreakCount() == 2 ? 50 : 40;
    const int text = FittedTextHeight(given, w, Height() - 70 - 28 - kTextGap);
    TextControl()->setGeometry(0, 28, w, text);
    m_bar->setGeometry(40, Height() - 70, w - 80, 30);
    ShowStoredProgress();
}

void CProgPopupDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept();
        return;
    default:
        CPopupDlgBase::keyPressEvent(event);
    }
}

void CProgPopupDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
}

// The modal loop starts right after the popup is shown, so a close asked for earlier is
// carried out from the loop.
void CProgPopupDlg::showEvent(QShowEvent* event) {
    CPopupDlgBase::showEvent(event);
    if (m_closeRequested) {
        QMetaObject::invokeMethod(
            this, [this] { FinishIfClosed(); }, Qt::QueuedConnection);
    }
}

} // namespace dashcam
