#include "skin/CPopupDlgBase.h"

#include <QLabel>
#include <QPalette>

namespace dashcam {

CPopupDlgBase::CPopupDlgBase(QWidget* parent, Qt::WindowFlags flags, int textControlId)
    : QDialog(parent, flags), m_textControl(new QLabel(this)) {
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    m_textControl->setObjectName(QString::number(textControlId));
    m_textControl->setTextFormat(Qt::PlainText);
    m_textControl->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_textControl->setWordWrap(true);
}

void CPopupDlgBase::SetContent(const QString& title, const QString& text, int width, int height) {
    m_title = title;
    m_text = text;
    m_width = width;
    m_height = height;
}

int CPopupDlgBase::LineBreakCount() const {
    return static_cast<int>(m_text.count(QStringLiteral("\r\n")));
}

void CPopupDlgBase::setVisible(bool visible) {
    if (visible && !m_laidOut) {
        m_laidOut = true;
        resize(m_width, m_height);
        setWindowTitle(m_title);
        // The label breaks lines at LF; the stored text keeps its CR LF pairs.
        QString shown = m_text;
        m_textControl->setText(shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        LayOut();
    }
    QDialog::setVisible(visible);
}

int CPopupDlgBase::FittedTextHeight(int given, int width, int room) {
    const int needed = m_textControl->heightForWidth(width);
    if (needed <= given) {
        return given;
    }
    if (needed > room) {
        m_height += needed - room;
        resize(m_width, m_height);
    }
    return needed;
}

// The size is the outer one: once the window system has framed the popup, the client area
// gives up what the frame and caption take.
void CPopupDlgBase::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QSize frame = frameGeometry().size() - size();
    if (frame.width() > 0 || frame.height() > 0) {
        resize(m_width - frame.width(), m_height - frame.height());
    }
}

} // namespace dashcam
