#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace dashcam {

class CSubSlider;

// A page slider: named after the label it belongs to (the label whose buddy it is), with the
// value its tooltip shows (hours, volts, a level) as its value text, and its position as the
// value a screen reader can read and set.
class CSubSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CSubSliderAccessible(CSubSlider* slider);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    CSubSlider* Slider() const;
};

} // namespace dashcam
