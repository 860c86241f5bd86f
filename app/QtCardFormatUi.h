#pragma once

#include <QWidget>

#include "pages/CardFormatUi.h"
#include "platform/Prompt.h"

namespace dashcam {

// The card format's questions and messages as captioned message boxes over the main window; its
// progress goes through the application's progress popup.
class QtCardFormatUi : public ICardFormatUi {
public:
    QtCardFormatUi(QWidget* owner, IPrompt& prompt) : m_owner(owner), m_prompt(prompt) {}

    bool AskYesNo(const std::u16string& caption, const std::u16string& text) override;
    void ShowMessage(const std::u16string& caption, const std::u16string& text) override;
    void ShowProgress(const std::u16string& title, const std::u16string& text, int width,
                      int height, const std::function<void(IProgress&)>& start) override;

private:
    QWidget* m_owner;
    IPrompt& m_prompt;
};

} // namespace dashcam
