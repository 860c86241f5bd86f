#include "skin/SkinAccessibility.h"

#include <QAccessible>

#include "skin/CRButton.h"
#include "skin/CRButtonAccessible.h"
#include "skin/CRStaticText.h"
#include "skin/CRStaticTextAccessible.h"
#include "skin/CSubSlider.h"
#include "skin/CSubSliderAccessible.h"

namespace dashcam {
namespace {

QAccessibleInterface* SkinInterface(const QString&, QObject* object) {
    if (auto* button = qobject_cast<CRButton*>(object)) {
        return new CRButtonAccessible(button);
    }
    if (auto* label = qobject_cast<CRStaticText*>(object)) {
        return new CRStaticTextAccessible(label);
    }
    if (auto* slider = qobject_cast<CSubSlider*>(object)) {
        return new CSubSliderAccessible(slider);
    }
    return nullptr;
}

} // namespace

void InstallSkinAccessibility() {
    QAccessible::removeFactory(SkinInterface); // installing twice would ask it twice
    QAccessible::installFactory(SkinInterface);
}

} // namespace dashcam
