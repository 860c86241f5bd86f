#pragma once

#include "platform/ViewerLink.h"

namespace dashcam {

// The companion viewer exists only on Windows: on Linux no viewer window is ever found, so
// nothing is posted and nothing is awaited.
class NoViewerLink : public IViewerLink {
public:
    Window FindViewerWindow(const std::u16string&) override { return 0; }
    void PostViewerMessage(Window, std::uint32_t) override {}
    bool WaitForViewerEvent(const std::u16string&, int) override { return false; }
};

} // namespace dashcam
