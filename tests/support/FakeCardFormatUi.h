#pragma once

#include <string>
#include <vector>

#include "pages/CardFormatUi.h"
#include "platform/BlockingProgress.h"
#include "text/Utf.h"

namespace dashcam::test {

// Answers the question as told and records the messages and every progress value.
class FakeCardFormatUi : public ICardFormatUi {
public:
    bool AskYesNo(const std::u16string&, const std::u16string& text) override {
        questions.push_back(Utf8FromUtf16(text));
        return answer;
    }
    void ShowMessage(const std::u16string&, const std::u16string& text) override {
        messages.push_back(Utf8FromUtf16(text));
    }
    void ShowProgress(const std::u16string&, const std::u16string& text, int width, int height,
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
