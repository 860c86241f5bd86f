#include "skin/CRButtonAccessible.h"

#include "skin/CRButton.h"

namespace dashcam {

CRButtonAccessible::CRButtonAccessible(CRButton* button)
    : QAccessibleWidget(button, button->IsTab() ? QAccessible::PageTab : QAccessible::Button) {}

CRButton* CRButtonAccessible::Button() const {
    return static_cast<CRButton*>(widget());
}

QString CRButtonAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return Button()->Caption();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CRButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (Button()->IsTab()) {
        state.selectable = true;
        state.selected = Button()->IsSelected();
    }
    state.pressed = Button()->CurrentState() == CRButton::kPressed;
    return state;
}

QStringList CRButtonAccessible::actionNames() const {
    QStringList names = QAccessibleWidget::actionNames();
    if (widget()->isEnabled()) {
        names.prepend(pressAction());
    }
    return names;
}

void CRButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && widget()->isEnabled()) {
        Button()->Click();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

} // namespace dashcam
