#pragma once

#include "platform/DebugOutput.h"

namespace dashcam {

// Discards diagnostics, for readers whose lines nobody asked for.
class NullDebugOutput : public IDebugOutput {
public:
    void Write(std::u16string_view) override {}
};

} // namespace dashcam
