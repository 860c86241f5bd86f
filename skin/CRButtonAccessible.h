#pragma once

#include <QAccessibleWidget>

namespace dashcam {

class CRButton;

// What a screen reader learns of a skinned button: a push button, or a page tab with its
// selected state when the button has a selected look; its caption (or, for a picture button,
// its accessible name) as its name; enabled and focusable; and a press action that clicks it.
class CRButtonAccessible : public QAccessibleWidget {
public:
    explicit CRButtonAccessible(CRButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CRButton* Button() const;
};

} // namespace dashcam
