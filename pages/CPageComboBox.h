#pragma once

#include <QComboBox>

namespace dashcam {

// A drop-down list on a scrolling page. Like the page's other controls it takes the wheel only
// when it has the keyboard focus; otherwise the wheel scrolls the page instead of silently
// changing the setting under the pointer. It takes the focus by click or tab, not by wheel.
class CPageComboBox : public QComboBox {
public:
    CPageComboBox() { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace dashcam
