#pragma once

#include "platform/DebugOutput.h"

namespace dashcam {

// Discards diagnostics: the command-line editor prints them only when asked to.
class NullDebugOutput : public IDebugOutput {
public:
    void Write(std::u16string_view) override {}
};

} // namespace dashcam
