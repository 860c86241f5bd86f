#pragma once

#include <functional>
#include <string>

#include "platform/Prompt.h"

namespace dashcam {

// What the card format shows the user: its captioned question and messages, and its progress
// popup (with the same contract as IPrompt::ShowProgress).
class ICardFormatUi {
public:
    virtual ~ICardFormatUi() = default;
    virtual bool AskYesNo(const std::u16string& caption, const std::u16string& text) = 0;
    virtual void ShowMessage(const std::u16string& caption, const std::u16string& text) = 0;
    virtual void ShowProgress(const std::u16string& title, const std::u16string& text, int width,
                              int height, const std::function<void(IProgress&)>& start) = 0;
};

} // namespace dashcam
