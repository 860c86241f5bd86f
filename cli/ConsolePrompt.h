#pragma once

#include <ostream>

#include "platform/Prompt.h"
#include "text/Utf.h"

namespace dashcam {

// Messages of the command-line editor go to standard error; there is nobody to click OK.
class ConsolePrompt : public IPrompt {
public:
    explicit ConsolePrompt(std::ostream& err) : m_err(err) {}
    void ShowMessage(std::u16string_view text) override {
        m_err << "dashcam-cfg: " << Utf8FromUtf16(text) << '\n';
    }

private:
    std::ostream& m_err;
};

} // namespace dashcam
