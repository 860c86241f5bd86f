#pragma once

#include "platform/Prompt.h"

namespace dashcam::fuzz {

// Shows nothing and answers No, so a fuzz run never waits for a user.
class SilentPrompt : public IPrompt {
public:
    void ShowMessage(std::u16string_view) override { ++messages; }
    bool AskYesNo(std::u16string_view, std::u16string_view, int, int) override { return false; }
    void ShowProgress(std::u16string_view, std::u16string_view, int, int,
                      const std::function<void(IProgress&)>&) override {}

    int messages = 0;
};

} // namespace dashcam::fuzz
