#include "platform/linux/StderrDebugOutput.h"

#include <unistd.h>

#include "text/Utf.h"

namespace dashcam {

void StderrDebugOutput::Write(std::u16string_view text) {
    const std::string bytes = Utf8FromUtf16(text);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDERR_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace dashcam
