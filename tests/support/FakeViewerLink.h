#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/ViewerLink.h"

namespace dashcam::test {

// A viewer whose windows the test opens by title; records what is posted and awaited.
class FakeViewerLink : public IViewerLink {
public:
    Window FindViewerWindow(const std::u16string& title) override {
        for (std::size_t i = 0; i < windows.size(); ++i) {
            if (windows[i] == title) {
                return Window(i + 1);
            }
        }
        return 0;
    }
    void PostViewerMessage(Window window, std::uint32_t message) override {
        posted.emplace_back(windows.at(std::size_t(window) - 1), message);
    }
    bool WaitForViewerEvent(const std::u16string& name, int timeoutMs) override {
        waited.emplace_back(name, timeoutMs);
        return eventExists;
    }

    std::vector<std::u16string> windows;
    std::vector<std::pair<std::u16string, std::uint32_t>> posted;
    std::vector<std::pair<std::u16string, int>> waited;
    bool eventExists = false;
};

} // namespace dashcam::test
