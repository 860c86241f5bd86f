#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

#include "platform/Prompt.h"

namespace dashcam {

// A progress display without a window, for prompts that have no event loop: the showing
// thread waits in WaitUntilClosed while the worker reports. Each stored value is handed to the
// observer on the reporting thread. The close is signalled under the lock, so the waiting
// thread may destroy the object as soon as WaitUntilClosed returns, and sees everything the
// worker did before closing.
class BlockingProgress : public IProgress {
public:
    explicit BlockingProgress(std::function<void(int)> observer = {})
        : m_observer(std::move(observer)) {}

    // What a prompt's ShowProgress does with it: start the work, then wait for its close.
    static void Run(const std::function<void(IProgress&)>& start,
                    std::function<void(int)> observer = {}) {
        BlockingProgress progress(std::move(observer));
        start(progress);
        progress.WaitUntilClosed();
    }

    void SetProgress(int value) override {
        value = std::min(value, 100);
        m_value.store(value);
        if (m_observer) {
            m_observer(value);
        }
    }
    int GetProgress() const override { return m_value.load(); }
    void Close() override {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_closedSignal.notify_all();
    }
    void WaitUntilClosed() {
        std::unique_lock lock(m_mutex);
        m_closedSignal.wait(lock, [this] { return m_closed; });
    }

private:
    std::function<void(int)> m_observer;
    std::atomic<int> m_value{0};
    std::mutex m_mutex;
    std::condition_variable m_closedSignal;
    bool m_closed = false;
};

} // namespace dashcam
