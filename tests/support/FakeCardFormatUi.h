#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "pages/CardFormatUi.h"
#include "text/Utf.h"

namespace dashcam::test {

// A progress "popup" that records every value it was given and waits for its close.
class FakeFormatProgress : public IFormatProgress {
public:
    explicit FakeFormatProgress(std::vector<int>& values) : m_values(values) {}
    void SetProgress(int value) override {
        std::lock_guard lock(m_mutex);
        m_value = std::clamp(value, 0, 100);
        m_values.push_back(m_value);
    }
    int GetProgress() const override {
        std::lock_guard lock(m_mutex);
        return m_value;
    }
    void Close() override {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    void ShowModal() override {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_closed; });
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<int>& m_values;
    int m_value = 0;
    bool m_closed = false;
};

// Answers the question as told and records the messages.
class FakeCardFormatUi : public ICardFormatUi {
public:
    bool AskYesNo(const std::u16string&, const std::u16string& text) override {
        questions.push_back(Utf8FromUtf16(text));
        return answer;
    }
    void ShowMessage(const std::u16string&, const std::u16string& text) override {
        messages.push_back(Utf8FromUtf16(text));
    }
    std::unique_ptr<IFormatProgress> CreateProgress(const std::u16string&,
                                                    const std::u16string& text, int width,
                                                    int height) override {
        progressText = Utf8FromUtf16(text);
        progressSize = {width, height};
        return std::make_unique<FakeFormatProgress>(progressValues);
    }

    bool answer = true;
    std::vector<std::string> questions, messages;
    std::string progressText;
    std::pair<int, int> progressSize;
    std::vector<int> progressValues;
};

} // namespace dashcam::test
