#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/BlockingProgress.h"
#include "platform/Prompt.h"
#include "text/Utf.h"

namespace dashcam::test {

// Records what was shown to the user and answers questions from a script.
class ScriptedPrompt : public IPrompt {
public:
    struct Shown {
        std::string title;
        std::string text;
        int width;
        int height;
    };

    void ShowMessage(std::u16string_view text) override { messages.push_back(Utf8FromUtf16(text)); }
    void ShowMessage(std::u16string_view, std::u16string_view text) override { ShowMessage(text); }
    bool Confirm(std::u16string_view caption, std::u16string_view text) override {
        return AskYesNo(caption, text, 0, 0);
    }
    // Gives the next scripted answer; No when the script has run out.
    bool AskYesNo(std::u16string_view title, std::u16string_view text, int width,
                  int height) override {
        questions.push_back({Utf8FromUtf16(title), Utf8FromUtf16(text), width, height});
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Records the display and every value the worker stores, and returns once it is closed.
    void ShowProgress(std::u16string_view title, std::u16string_view text, int width, int height,
                      const std::function<void(IProgress&)>& start) override {
        progressDisplays.push_back({Utf8FromUtf16(title), Utf8FromUtf16(text), width, height});
        BlockingProgress::Run(start, [this](int value) { progressValues.push_back(value); });
    }

    std::vector<std::string> messages;
    std::deque<bool> answers; // true for Yes, in the order the questions come
    std::vector<Shown> questions;
    std::vector<Shown> progressDisplays;
    std::vector<int> progressValues; // read them after ShowProgress has returned
};

} // namespace dashcam::test
