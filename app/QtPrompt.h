#pragma once

#include <QWidget>

#include "platform/Prompt.h"

namespace dashcam {

// The user's messages as modal message boxes captioned with the application's name.
class QtPrompt : public IPrompt {
public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    void ShowMessage(std::u16string_view text) override;

private:
    QWidget* m_owner = nullptr;
};

} // namespace dashcam
