#pragma once

#include <string>
#include <vector>

#include "platform/DebugOutput.h"
#include "text/Utf.h"

namespace dashcam::test {

// Keeps every diagnostic text, in order, as UTF-8.
class CapturedDebugOutput : public IDebugOutput {
public:
    void Write(std::u16string_view text) override { lines.push_back(Utf8FromUtf16(text)); }
    std::vector<std::string> lines;
};

} // namespace dashcam::test
