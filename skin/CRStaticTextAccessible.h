#pragma once

#include <QAccessibleWidget>

namespace dashcam {

class CRStaticText;

// A skinned text label, such as the window's title, read as static text with its text as name.
class CRStaticTextAccessible : public QAccessibleWidget {
public:
    explicit CRStaticTextAccessible(CRStaticText* label);

    QString text(QAccessible::Text t) const override;
};

} // namespace dashcam
