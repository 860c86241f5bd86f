#include "skin/CRStaticText.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

#include "skin/AlphaText.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {

CRStaticText::CRStaticText(QWidget* parent, int id, const QRect& rect) : QWidget(parent), m_id(id) {
    setGeometry(rect);
    setMouseTracking(true); // every move is the parent's too, not only those with a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_textRect = {0, 0, rect.width(), rect.height()};
    show();
}

void CRStaticText::SetTextSkin(int imageId, const QFont& font, const CMemCanvas* background,
                               const SkinTextStyle* style) {
    const int w = width();
    const int h = height();
    const qreal ratio = devicePixelRatioF(); // composed at the screen's density
    if (background != nullptr && background->HasDeviceContext()) {
        m_background.Create(w, h, ratio);
        m_background.CopyFrom(*background, geometry());
    }
    if (style != nullptr) {
        m_style = *style;
        m_font = font;
    }
    m_textRect = {0, 0, w, h};
    if (imageId != 0) {
        CMemCanvas skin;
        skin.Create(w, h, ratio);
        CSkinStretcher().DrawStretched(skin, imageId, &m_textRect);
        m_background.Create(w, h, ratio);
        QPainter painter(&m_background.Image());
        painter.drawImage(QPoint(0, 0), skin.Image());
    }
    m_recompose = true;
    repaint();
}

void CRStaticText::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_recompose = true;
    update();
}

void CRStaticText::paintEvent(QPaintEvent*) {
    if (m_recompose) {
        m_recompose = false;
        m_composed.reset();
    }
    if (!m_composed) {
        CMemCanvas canvas;
        canvas.Create(width(), height(), devicePixelRatioF());
        if (m_background.HasDeviceContext()) {
            QPainter painter(&canvas.Image());
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QPoint(0, 0), m_background.Image());
        }
        DrawTextAlpha(canvas, m_style.text, m_font, m_textRect, m_style.colorA, m_style.alignment);
        m_composed = canvas.Image();
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), *m_composed);
}

void CRStaticText::Forward(QMouseEvent* event) {
    if (QWidget* target = parentWidget()) {
        QMouseEvent copy(event->type(), event->position(), event->scenePosition(),
                         event->globalPosition(), event->button(), event->buttons(),
                         event->modifiers());
        QCoreApplication::sendEvent(target, &copy);
    }
}

// The forwarded event is the parent's one delivery: accepting the original keeps Qt from
// passing it up a second time with the parent's coordinates.
void CRStaticText::mouseMoveEvent(QMouseEvent* event) {
    Forward(event);
    event->accept();
}

void CRStaticText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Forward(event);
    }
    event->accept();
}

void CRStaticText::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Forward(event);
    }
    event->accept();
}

} // namespace dashcam
