#pragma once

#include <string>
#include <vector>

#include "platform/BlockingProgress.h"
#include "platform/Prompt.h"
#include "text/Utf.h"

namespace dashcam::test {

// The prompt as the card format sees it: answers every question as told and records the
// questions, the messages and every progress value.
class FixedAnswerPrompt : public IPrompt {
public:
    void ShowMessage(std::u16string_view text) override { messages.push_back(Utf8FromUtf16(text)); }
    void ShowMessage(std::u16string_view, std::u16string_view text) override { ShowMessage(text); }
    bool Confirm(std::u16string_view, std::u16string_view text) override {
        questions.push_back(Utf8FromUtf16(text));
        return answer;
    }
    bool AskYesNo(std::u16string_view title, std::u16string_view text, int, int) override {
        return Confirm(title, text);
    }
    void ShowProgress(std::u16string_view, std::u16string_view text, int width, int height,
                      const std::function<void(IProgress&)>& start) override {
        progressText = Utf8FromUtf16(text);
        progressSize = {width, height};
        // Values are recorded on the worker thread and read after the close.
        BlockingProgress::Run(start,
                              [this](int value) { progressValues.push_back(std::max(value, 0)); });
    }

    bool answer = true;
    std::vector<std::string> questions, messages;
    std::string progressText;
    std::pair<int, int> progressSize;
    std::vector<int> progressValues;
};

} // namespace dashcam::test
