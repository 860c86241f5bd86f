#pragma once

#include <string_view>

namespace dashcam {

// The debugger-output channel: fixed diagnostic texts, one call per text, never shown to the user.
class IDebugOutput {
public:
    virtual ~IDebugOutput() = default;
    virtual void Write(std::u16string_view text) = 0;
};

} // namespace dashcam
