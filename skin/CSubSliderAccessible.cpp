#include "skin/CSubSliderAccessible.h"

#include "skin/CSubSlider.h"

namespace dashcam {

CSubSliderAccessible::CSubSliderAccessible(CSubSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider) {}

CSubSlider* CSubSliderAccessible::Slider() const {
    return static_cast<CSubSlider*>(widget());
}

void* CSubSliderAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString CSubSliderAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return Slider()->ValueText();
    }
    return QAccessibleWidget::text(t);
}

QVariant CSubSliderAccessible::currentValue() const {
    return Slider()->value();
}

// A value set by an assistive tool is the user's own move: the page writes it to the record.
void CSubSliderAccessible::setCurrentValue(const QVariant& value) {
    Slider()->MoveByUser(value.toInt());
}

QVariant CSubSliderAccessible::maximumValue() const {
    return Slider()->maximum();
}

QVariant CSubSliderAccessible::minimumValue() const {
    return Slider()->minimum();
}

QVariant CSubSliderAccessible::minimumStepSize() const {
    return Slider()->singleStep();
}

} // namespace dashcam
