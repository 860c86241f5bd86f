#pragma once

#include <string_view>

namespace dashcam {

// Every question or message for the user goes through here, so that tests can answer it and a
// headless run never blocks on a dialog.
class IPrompt {
public:
    virtual ~IPrompt() = default;
    // A modal message with an OK button, captioned with the application's name.
    virtual void ShowMessage(std::u16string_view text) = 0;
};

} // namespace dashcam
