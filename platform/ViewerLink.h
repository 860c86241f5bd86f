#pragma once

#include <cstdint>
#include <string>

namespace dashcam {

// The companion viewer program, reached by its window title, posted messages and a named event.
class IViewerLink {
public:
    using Window = std::intptr_t; // 0: none
    virtual ~IViewerLink() = default;
    virtual Window FindViewerWindow(const std::u16string& title) = 0;
    virtual void PostViewerMessage(Window window, std::uint32_t message) = 0;
    // Waits until the named event is set, at most timeoutMs; false when there is no such event
    // or the time ran out.
    virtual bool WaitForViewerEvent(const std::u16string& name, int timeoutMs) = 0;
};

} // namespace dashcam
