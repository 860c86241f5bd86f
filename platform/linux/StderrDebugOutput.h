#pragma once

#include "platform/DebugOutput.h"

namespace dashcam {

// Diagnostics on Linux go to standard error, one write per text, so lines from several
// sources never interleave inside a line.
class StderrDebugOutput : public IDebugOutput {
public:
    void Write(std::u16string_view text) override;
};

} // namespace dashcam
