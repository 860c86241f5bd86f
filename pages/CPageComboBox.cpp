#include "pages/CPageComboBox.h"

#include <QWheelEvent>

namespace dashcam {

void CPageComboBox::wheelEvent(QWheelEvent* event) {
    if (window()->focusWidget() != this) {
        event->ignore(); // goes on to the page, which scrolls
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace dashcam
