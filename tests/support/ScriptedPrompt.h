#pragma once

#include <string>
#include <vector>

#include "platform/Prompt.h"
#include "text/Utf.h"

namespace dashcam::test {

// Records the messages shown to the user.
class ScriptedPrompt : public IPrompt {
public:
    void ShowMessage(std::u16string_view text) override { messages.push_back(Utf8FromUtf16(text)); }
    std::vector<std::string> messages;
};

} // namespace dashcam::test
