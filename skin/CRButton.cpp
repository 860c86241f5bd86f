#include "skin/CRButton.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "skin/AlphaText.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {

CRButton::CRButton(QWidget* parent, int id, const QRect& rect) : QWidget(parent), m_id(id) {
    setGeometry(rect);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    show();
}

CRButton::~CRButton() = default;

void CRButton::CopyBackground(const CMemCanvas* background) {
    if (background == nullptr || !background->HasDeviceContext()) {
        return;
    }
    if (m_background.Create(width(), height()) || m_background.HasDeviceContext()) {
        QPainter painter(&m_background.Image());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), background->Image(), geometry());
        m_hasBackground = true;
    }
}

void CRButton::SetSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                       const SkinTextStyle* style, int disabledId) {
    CSkinStretcher stretcher;
    CopyBackground(background);
    if (style != nullptr) {
        m_style = *style;
        m_captionFont = TahomaFont(style->fontHeight, 700);
        m_hasCaption = true;
    }
    const int w = width();
    const int h = height();
    m_normal.Create(w, h);
    SkinRect content;
    stretcher.DrawStretched(m_normal, normalId, &content);
    if (m_hasCaption) {
        m_captionRect = content;
        FitCaptionFont();
    }
    m_hover.Create(w, h);
    stretcher.DrawStretched(m_hover, hoverId);
    m_pressed.Create(w, h);
    stretcher.DrawStretched(m_pressed, pressedId);
    if (disabledId != 0) {
        m_disabled.Create(w, h);
        stretcher.DrawStretched(m_disabled, disabledId);
    }
    m_recompose = true;
    update();
}

void CRButton::SetPlainSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                            int disabledId) {
    CopyBackground(background);
    const int w = width();
    const int h = height();
    struct {
        CMemCanvas& canvas;
        int id;
    } images[] = {
        {m_normal, normalId}, {m_hover, hoverId}, {m_pressed, pressedId}, {m_disabled, disabledId}};
    for (auto& image : images) {
        if (image.id != 0) {
            image.canvas.Create(w, h);
            DrawPngNatural(image.canvas, image.id);
        }
    }
    m_recompose = true;
    update();
}

void CRButton::SetSelectedImage(int id) {
    m_selectedCanvas.Create(width(), height());
    CSkinStretcher().DrawStretched(m_selectedCanvas, id);
    m_recompose = true;
}

void CRButton::SetSelected(bool on) {
    m_selected = on;
    SetStateAndRedraw(on ? kSelected : kNormal);
}

void CRButton::SetTooltipText(const QString& text) {
    m_tooltipText = text;
    if (!m_balloon) {
        m_balloon = std::make_unique<CTBalloon>();
    }
    m_balloon->SetText(text);
}

void CRButton::SetStateAndRedraw(State state) {
    m_state = state;
    m_recompose = true;
    repaint();
}

const CMemCanvas* CRButton::StateCanvas() const {
    const CMemCanvas* canvas = &m_normal;
    switch (m_state) {
    case kHover:
        canvas = &m_hover;
        break;
    case kPressed:
        canvas = &m_pressed;
        break;
    case kSelected:
        canvas = &m_selectedCanvas;
        break;
    case kDisabled:
        canvas = &m_disabled;
        break;
    case kNormal:
        break;
    }
    // A look that was never given shows the normal one.
    return canvas->HasDeviceContext() ? canvas : &m_normal;
}

// The skin's captions were measured in Tahoma; a stand-in face of that name can be wider, and a
// caption wider than its rectangle would lose letters at both ends. Such a caption is drawn a
// little smaller instead.
void CRButton::FitCaptionFont() {
    constexpr int kSmallestPixels = 8;
    const int room = m_captionRect.right - m_captionRect.left;
    while (m_captionFont.pixelSize() > kSmallestPixels &&
           QFontMetrics(m_captionFont).horizontalAdvance(m_style.text) > room) {
        m_captionFont.setPixelSize(m_captionFont.pixelSize() - 1);
    }
}

void CRButton::DrawCaption(QPainter& painter) const {
    const SkinColor color = (m_state == kHover)                             ? m_style.colorB
                            : (m_state == kPressed || m_state == kSelected) ? m_style.colorC
                                                                            : m_style.colorA;
    painter.setPen(ToQColor(color));
    painter.setFont(m_captionFont);
    const SkinRect& r = m_captionRect;
    if (m_style.alignment == 1) {
        const int top = r.top + (r.bottom - m_style.fontHeight - r.top) / 2;
        painter.drawText(QRect(QPoint(r.left, top), QPoint(r.right - 1, r.bottom - 1)),
                         Qt::AlignHCenter | Qt::AlignTop, m_style.text);
    } else {
        painter.drawText(QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1)),
                         Qt::AlignLeft | Qt::AlignTop, m_style.text);
    }
}

void CRButton::paintEvent(QPaintEvent*) {
    if (m_recompose) {
        m_recompose = false;
        m_composed.reset();
    }
    if (!m_composed) {
        QImage composed(size(), QImage::Format_ARGB32_Premultiplied);
        composed.fill(Qt::transparent);
        QPainter painter(&composed);
        if (m_hasBackground) {
            painter.drawImage(QPoint(0, 0), m_background.Image());
        }
        if (const CMemCanvas* look = StateCanvas(); look->HasDeviceContext()) {
            painter.drawImage(QPoint(0, 0), look->Image());
        }
        painter.end();
        m_composed = std::move(composed);
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), *m_composed);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_hasCaption) {
        DrawCaption(painter);
    }
}

void CRButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_tooltipText.isEmpty() && m_balloon && !m_balloon->isVisible()) {
        m_balloon->move(mapToGlobal(QPoint(8, height() + 8)));
        m_balloon->show();
    }
    if (m_state == kNormal && rect().contains(event->position().toPoint())) {
        SetStateAndRedraw(kHover);
    }
    QWidget::mouseMoveEvent(event);
}

void CRButton::leaveEvent(QEvent* event) {
    // Qt tells a disabled widget too when the mouse leaves; its disabled look stays.
    if (!m_selected && m_state != kDisabled) {
        SetStateAndRedraw(kNormal);
    }
    if (!m_tooltipText.isEmpty() && m_balloon) {
        m_balloon->hide();
    }
    QWidget::leaveEvent(event);
}

void CRButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressedHere = true;
        SetStateAndRedraw(kPressed);
    }
}

void CRButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const bool wasPressedHere = m_pressedHere;
    m_pressedHere = false;
    if (!rect().contains(event->position().toPoint())) {
        // Released elsewhere: no click. A selected tab shows itself selected again, as no
        // click will make the parent select it; any other button returns to normal when the
        // mouse leaves.
        if (m_selected && m_state == kPressed) {
            SetStateAndRedraw(kSelected);
        }
        return;
    }
    if (wasPressedHere) {
        QMetaObject::invokeMethod(
            this, [this] { emit clicked(m_id); }, Qt::QueuedConnection);
    }
    if (!m_selectedCanvas.HasDeviceContext() || !m_selected) {
        SetStateAndRedraw(kHover);
    }
}

void CRButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) {
        return;
    }
    if (!isEnabled() && m_disabled.HasDeviceContext()) {
        SetStateAndRedraw(kDisabled);
    } else if (isEnabled() && m_state == kDisabled) {
        SetStateAndRedraw(kNormal);
    }
}

} // namespace dashcam
