#pragma once

#include <QWidget>

#include "platform/Prompt.h"

namespace dashcam {

class CLanguageManager;

// The user's messages and plain questions as modal message boxes, captioned with the
// program's name in the chosen pack unless they bring their own caption.
class QtPrompt : public IPrompt {
public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    // The yes/no popup's buttons in this language once a pack is loaded.
    void UseLanguage(const CLanguageManager* language) { m_language = language; }
    void ShowMessage(std::u16string_view text) override;
    void ShowMessage(std::u16string_view caption, std::u16string_view text) override;
    bool Confirm(std::u16string_view caption, std::u16string_view text) override;
    // The yes/no popup and the progress popup, owned by the main window.
    bool AskYesNo(std::u16string_view title, std::u16string_view text, int width,
                  int height) override;
    void ShowProgress(std::u16string_view title, std::u16string_view text, int width, int height,
                      const std::function<void(IProgress&)>& start) override;

private:
    QWidget* m_owner = nullptr;
    const CLanguageManager* m_language = nullptr;
};

} // namespace dashcam
