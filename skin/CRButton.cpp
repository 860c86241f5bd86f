#include "skin/CRButton.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <utility>

#include "skin/AlphaText.h"
#include "skin/CSkinStretcher.h"

namespace dashcam {

CRButton::CRButton(QWidget* parent, int id, const QRect& rect) : QWidget(parent), m_id(id) {
    setGeometry(rect);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches the button; a mouse click leaves the keyboard focus where it was.
    setFocusPolicy(Qt::TabFocus);
    show();
}

CRButton::~CRButton() = default;

void CRButton::CopyBackground(const CMemCanvas* background) {
    if (background == nullptr || !background->HasDeviceContext()) {
        return;
    }
    if (m_background.Create(width(), height(), devicePixelRatioF()) ||
        m_background.HasDeviceContext()) {
        m_background.CopyFrom(*background, geometry());
        m_hasBackground = true;
    }
}

void CRButton::SetSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                       const SkinTextStyle* style, int disabledId) {
    CopyBackground(background);
    if (style != nullptr) {
        m_style = *style;
        m_captionFont = TahomaFont(style->fontHeight, 700);
        m_hasCaption = true;
    }
    m_ratio = devicePixelRatioF(); // composed at the screen's density
    m_normal.Create(width(), height(), m_ratio);
    SkinRect content;
    CSkinStretcher().DrawStretched(m_normal, normalId, &content);
    if (m_hasCaption) {
        m_captionRect = content;
        FitCaptionFont();
    }
    SetLooks(hoverId, pressedId, disabledId, false);
    m_recompose = true;
    update();
}

void CRButton::SetPlainSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                            int disabledId) {
    CopyBackground(background);
    m_ratio = devicePixelRatioF();
    if (normalId != 0 && m_normal.Create(width(), height(), m_ratio)) {
        DrawPngNatural(m_normal, normalId);
    }
    SetLooks(hoverId, pressedId, disabledId, true);
    m_recompose = true;
    update();
}

// The looks other than the normal one are drawn when first shown: most buttons are never
// pressed, and a window start-up should not wait for them.
void CRButton::SetLooks(int hoverId, int pressedId, int disabledId, bool natural) {
    for (auto [look, id] : {std::pair{&m_hover, hoverId}, std::pair{&m_pressed, pressedId},
                            std::pair{&m_disabled, disabledId}}) {
        look->imageId = id;
        look->natural = natural;
        look->canvas.Release();
    }
}

const CMemCanvas& CRButton::Drawn(Look& look) {
    if (look.imageId != 0 && !look.canvas.HasDeviceContext() &&
        look.canvas.Create(width(), height(), m_ratio)) {
        if (look.natural) {
            DrawPngNatural(look.canvas, look.imageId);
        } else {
            CSkinStretcher().DrawStretched(look.canvas, look.imageId);
        }
    }
    return look.canvas;
}

void CRButton::SetSelectedImage(int id) {
    m_selectedLook.imageId = id;
    m_selectedLook.natural = false;
    m_selectedLook.canvas.Release();
    m_recompose = true;
}

void CRButton::SetSelected(bool on) {
    const bool changed = m_selected != on;
    m_selected = on;
    SetStateAndRedraw(on ? kSelected : kNormal);
    if (changed && QAccessible::isActive()) {
        QAccessible::State selection;
        selection.selected = true;
        QAccessibleStateChangeEvent event(this, selection);
        QAccessible::updateAccessibility(&event);
    }
}

void CRButton::Click() {
    QMetaObject::invokeMethod(
        this, [this] { emit clicked(m_id); }, Qt::QueuedConnection);
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

const CMemCanvas* CRButton::StateCanvas() {
    Look* look = nullptr;
    switch (m_state) {
    case kHover:
        look = &m_hover;
        break;
    case kPressed:
        look = &m_pressed;
        break;
    case kSelected:
        look = &m_selectedLook;
        break;
    case kDisabled:
        look = &m_disabled;
        break;
    case kNormal:
        break;
    }
    // A look that was never given shows the normal one.
    if (look == nullptr || look->imageId == 0) {
        return &m_normal;
    }
    const CMemCanvas& canvas = Drawn(*look);
    return canvas.HasDeviceContext() ? &canvas : &m_normal;
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

SkinColor CRButton::CaptionColor() const {
    return (m_state == kHover)                             ? m_style.colorB
           : (m_state == kPressed || m_state == kSelected) ? m_style.colorC
                                                           : m_style.colorA;
}

// A dotted rounded frame just inside the button, in the caption's colour, so that it reads on
// the light tabs and on the dark buttons alike; picture buttons take the title's light grey.
void CRButton::DrawFocusMark(QPainter& painter) const {
    constexpr SkinColor kPictureButtonMark = Rgb(214, 223, 233);
    QPen pen(ToQColor(m_hasCaption ? CaptionColor() : kPictureButtonMark));
    pen.setStyle(Qt::DotLine);
    pen.setWidthF(1.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(3.5, 3.5, -3.5, -3.5), 3, 3);
    painter.restore();
}

void CRButton::DrawCaption(QPainter& painter) const {
    painter.setPen(ToQColor(CaptionColor()));
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
        QImage composed = CMemCanvas::NewImage(width(), height(), devicePixelRatioF());
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
    if (hasFocus() && m_keyboardFocus) {
        DrawFocusMark(painter);
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
        Click();
    }
    if (!IsTab() || !m_selected) {
        SetStateAndRedraw(kHover);
    }
}

void CRButton::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) {
        return;
    }
    if (!isEnabled() && m_disabled.imageId != 0) {
        SetStateAndRedraw(kDisabled);
    } else if (isEnabled() && m_state == kDisabled) {
        SetStateAndRedraw(kNormal);
    }
}

// Space presses the button as the left mouse button does: pressed look while held, a click
// on release. Other keys (Enter and Escape among them) go on to the window.
void CRButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat()) {
        SetStateAndRedraw(kPressed);
    }
    event->accept();
}

void CRButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || m_state != kPressed) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    SetStateAndRedraw(m_selected ? kSelected : kNormal);
    Click();
    event->accept();
}

// The mark shows once the keyboard has brought the focus here, not when the window merely
// became active, so the window looks as it always did until the keyboard is used.
void CRButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        m_keyboardFocus = true;
    }
    update();
}

void CRButton::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    if (m_state == kPressed && !m_pressedHere) {
        SetStateAndRedraw(m_selected ? kSelected : kNormal); // Space was held as the focus left
    }
    update();
}

} // namespace dashcam
