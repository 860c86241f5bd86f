#pragma once

#include <ostream>

#include "platform/Prompt.h"

namespace dashcam {

// Messages of the command-line editor go to standard error; there is nobody to click OK. The
// editor runs unattended, so every question is written out and declined: nothing changes on
// the card that the command line did not ask for.
class ConsolePrompt : public IPrompt {
public:
    explicit ConsolePrompt(std::ostream& err) : m_err(err) {}
    void ShowMessage(std::u16string_view text) override;
    void ShowMessage(std::u16string_view caption, std::u16string_view text) override;
    bool Confirm(std::u16string_view caption, std::u16string_view text) override;
    bool AskYesNo(std::u16string_view title, std::u16string_view text, int width,
                  int height) override;
    // Writes a line per progress value; the worker's reports are written on its thread while
    // the calling thread waits.
    void ShowProgress(std::u16string_view title, std::u16string_view text, int width, int height,
                      const std::function<void(IProgress&)>& start) override;

private:
    std::ostream& m_err;
};

} // namespace dashcam
