#include "skin/CTBalloon.h"

#include <QFontMetrics>
#include <QPainter>

#include "skin/AlphaText.h"

namespace dashcam {
namespace {

constexpr int kMargin = 4;

} // namespace

CTBalloon::CTBalloon()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_font(TahomaFont(13, 700)) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void CTBalloon::SetText(const QString& text) {
    m_text = text;
    // The balloon takes the size of its text plus a small margin.
    resize(QFontMetrics(m_font).size(0, text) + QSize(2 * kMargin, 2 * kMargin));
    m_recompose = true;
    update();
}

void CTBalloon::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_composition.Release();
    m_recompose = true;
}

void CTBalloon::Compose() {
    m_composition.Release();
    if (!m_composition.Create(width(), height())) {
        return;
    }
    const SkinRect content{kMargin, kMargin, width() - kMargin, height() - kMargin};
    DrawTextAlpha(m_composition, m_text, m_font, content, Rgb(0, 0, 0), 0);
}

void CTBalloon::paintEvent(QPaintEvent*) {
    if (m_recompose) {
        m_recompose = false;
        Compose();
    }
    if (m_composition.HasDeviceContext()) {
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), m_composition.Image());
    }
}

} // namespace dashcam
