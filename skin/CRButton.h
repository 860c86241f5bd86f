#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

#include "skin/CMemCanvas.h"
#include "skin/CTBalloon.h"
#include "skin/SkinRect.h"
#include "skin/SkinTextStyle.h"

namespace dashcam {

// An image button drawn from skin images over a copy of its parent's background: normal,
// hover, pressed, selected and disabled looks, an optional caption, and a click reported to the
// parent with the button's control id. The keyboard reaches it with Tab and presses it with
// Space; a focus the keyboard brought shows a focus mark in the caption's colour.
//
// The click is posted: clicked(id) is emitted from the event loop after the mouse event has
// been handled, so a parent may destroy the button in its answer. A click counts only when the
// left button was both pressed and released over the button.
class CRButton : public QWidget {
    Q_OBJECT
public:
    enum State { kNormal = 0, kHover = 1, kPressed = 2, kSelected = 3, kDisabled = 4 };

    CRButton(QWidget* parent, int id, const QRect& rect);
    ~CRButton() override;

    int Id() const { return m_id; }
    State CurrentState() const { return m_state; }
    bool IsSelected() const { return m_selected; }
    const SkinRect& CaptionRect() const { return m_captionRect; }
    const QFont& CaptionFont() const { return m_captionFont; }
    // The caption given with the skin; empty for a picture button.
    QString Caption() const { return m_hasCaption ? m_style.text : QString(); }
    // A button with a selected look is a page tab.
    bool IsTab() const { return m_selectedLook.imageId != 0; }
    // Reports a click to the parent, as a mouse click over the button does.
    void Click();

    // Images drawn stretched to the button; background is the parent's background canvas.
    void SetSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                 const SkinTextStyle* style, int disabledId = 0);
    // Images drawn at their natural size, without a caption.
    void SetPlainSkin(int normalId, int hoverId, int pressedId, const CMemCanvas* background,
                      int disabledId = 0);
    void SetSelectedImage(int id);
    void SetSelected(bool on);
    void SetTooltipText(const QString& text);

signals:
    void clicked(int id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // One look: its image, drawn on its own canvas when the look is first shown.
    struct Look {
        int imageId = 0;
        bool natural = false; // at the image's natural size, not stretched
        CMemCanvas canvas;
    };
    void CopyBackground(const CMemCanvas* background);
    void SetLooks(int hoverId, int pressedId, int disabledId, bool natural);
    const CMemCanvas& Drawn(Look& look);
    void SetStateAndRedraw(State state);
    const CMemCanvas* StateCanvas();
    void FitCaptionFont();
    void DrawCaption(QPainter& painter) const;
    SkinColor CaptionColor() const;
    void DrawFocusMark(QPainter& painter) const;

    int m_id;
    CMemCanvas m_normal, m_background;
    Look m_hover, m_pressed, m_disabled, m_selectedLook;
    qreal m_ratio = 1.0; // the screen density the looks are drawn for
    std::optional<QImage> m_composed;
    bool m_recompose = true;
    State m_state = kNormal;
    bool m_hasCaption = false;
    SkinTextStyle m_style;
    bool m_selected = false;
    bool m_hasBackground = false;
    bool m_pressedHere = false;
    bool m_keyboardFocus = false; // the focus came by the keyboard: show the focus mark
    SkinRect m_captionRect;
    QFont m_captionFont;
    std::unique_ptr<CTBalloon> m_balloon;
    QString m_tooltipText;
};

} // namespace dashcam
