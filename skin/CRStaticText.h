#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>
#include <optional>

#include "skin/CMemCanvas.h"
#include "skin/SkinRect.h"
#include "skin/SkinTextStyle.h"

namespace dashcam {

// A text label with alpha-blended glyphs over a copy of its parent's background (and an
// optional stretched skin image). Mouse moves and left-button presses and releases are sent on
// to the parent with the label's own coordinates, so a borderless window can be dragged by it.
class CRStaticText : public QWidget {
    Q_OBJECT
public:
    CRStaticText(QWidget* parent, int id, const QRect& rect);

    int Id() const { return m_id; }
    // imageId 0 for none; background is the parent's background canvas.
    void SetTextSkin(int imageId, const QFont& font, const CMemCanvas* background,
                     const SkinTextStyle* style);
    const SkinRect& TextRect() const { return m_textRect; }
    const QString& Text() const { return m_style.text; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Forward(QMouseEvent* event);

    int m_id;
    CMemCanvas m_background;
    std::optional<QImage> m_composed;
    bool m_recompose = true;
    SkinRect m_textRect;
    QFont m_font;
    SkinTextStyle m_style;
};

} // namespace dashcam
