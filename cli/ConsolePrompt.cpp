#include "cli/ConsolePrompt.h"

#include <string>

#include "platform/BlockingProgress.h"
#include "text/Utf.h"

namespace dashcam {

namespace {

// One line of output: each line break inside a message (CR LF, or a lone CR or LF) becomes a
// blank, and a break at the end is dropped.
std::string OneLine(std::u16string_view text) {
    std::string line;
    for (char c : Utf8FromUtf16(text)) {
        const bool lineBreak = c == '\r' || c == '\n';
        if (lineBreak && !line.empty() && line.back() == '\n') {
            continue; // the LF of a CR LF pair
        }
        line += lineBreak ? '\n' : c;
    }
    while (!line.empty() && line.back() == '\n') {
        line.pop_back();
    }
    for (char& c : line) {
        c = c == '\n' ? ' ' : c;
    }
    return line;
}

} // namespace

void ConsolePrompt::ShowMessage(std::u16string_view text) {
    m_err << "dashcam-cfg: " << Utf8FromUtf16(text) << '\n';
}

void ConsolePrompt::ShowMessage(std::u16string_view caption, std::u16string_view text) {
    m_err << "dashcam-cfg: " << OneLine(caption) << ": " << Utf8FromUtf16(text) << '\n';
}

bool ConsolePrompt::Confirm(std::u16string_view caption, std::u16string_view text) {
    return AskYesNo(caption, text, 0, 0);
}

bool ConsolePrompt::AskYesNo(std::u16string_view title, std::u16string_view text, int, int) {
    m_err << "dashcam-cfg: " << OneLine(title) << ": " << OneLine(text) << " (answered no)\n";
    return false;
}

void ConsolePrompt::ShowProgress(std::u16string_view title, std::u16string_view text, int, int,
                                 const std::function<void(IProgress&)>& start) {
    const std::string heading = OneLine(title);
    m_err << "dashcam-cfg: " << heading << ": " << OneLine(text) << '\n';
    BlockingProgress::Run(start, [this, &heading](int value) {
        m_err << "dashcam-cfg: " << heading << ' ' << value << "%\n";
    });
}

} // namespace dashcam
