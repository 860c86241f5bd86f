#include "skin/CRStaticTextAccessible.h"

#include "skin/CRStaticText.h"

namespace dashcam {

CRStaticTextAccessible::CRStaticTextAccessible(CRStaticText* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

QString CRStaticTextAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return static_cast<CRStaticText*>(widget())->Text();
    }
    return QAccessibleWidget::text(t);
}

} // namespace dashcam
