#include "skin/CMsgPopupDlg.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace dashcam {

namespace {

constexpr int kTextControlId = 1501;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;

} // namespace

CMsgPopupDlg::CMsgPopupDlg(QWidget* parent)
    : CPopupDlgBase(parent,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint,
                    kTextControlId),
      m_yes(new QPushButton(QStringLiteral("예(Y)"), this)),
      m_no(new QPushButton(QStringLiteral("아니오(N)"), this)) {
    m_yes->setObjectName(QStringLiteral("1"));
    m_no->setObjectName(QStringLiteral("2"));
    m_yes->setDefault(true);
    connect(m_yes, &QPushButton::clicked, this, [this] { done(kYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(kNo); });
}

bool CMsgPopupDlg::Ask(QWidget* parent, const QString& title, const QString& text, int width,
                       int height, const QString& yes, const QString& no) {
    CMsgPopupDlg popup(parent);
    if (!yes.isEmpty() && !no.isEmpty()) {
        popup.m_yes->setText(yes);
        popup.m_no->setText(no);
    }
    popup.SetContent(title, text, width, height);
    return popup.DoModal() == kYes;
}

void CMsgPopupDlg::LayOut() {
    const int w = Width();
    const int given = LineBreakCount() == 2 ? 70 : 40;
    const int text = FittedTextHeight(given, w - 10, Height() - 60 - 28 - kTextGap);
    const int h = Height();
    TextControl()->setGeometry(0, 28, w - 10, text);
    m_yes->setGeometry(w / 2 - 95, h - 60, kButtonWidth, kButtonHeight);
    m_no->setGeometry(w / 2 + 10, h - 60, kButtonWidth, kButtonHeight);
    m_yes->show();
    m_no->show();
}

// Keys the focused button does not use come here.
void CMsgPopupDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Y:
        done(kYes);
        break;
    case Qt::Key_N:
        done(kNo);
        break;
    default:
        break;
    }
    CPopupDlgBase::keyPressEvent(event);
}

} // namespace dashcam
