#include "platform/linux/StderrDebugOutput.h"

#include <climits>
#include <unistd.h>

#include "text/Utf.h"

namespace dashcam {
namespace {

void WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDERR_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

StderrDebugOutput::~StderrDebugOutput() {
    const std::lock_guard lock(m_mutex);
    WriteKept();
}

void StderrDebugOutput::Write(std::u16string_view text) {
    std::string bytes = Utf8FromUtf16(text);
    const std::lock_guard lock(m_mutex);
    if (m_batchDepth == 0) {
        WriteAll(bytes);
        return;
    }
    // A pipe writes up to PIPE_BUF bytes at once without mixing in another writer's bytes.
    if (m_kept.empty() || m_kept.back().size() + bytes.size() > PIPE_BUF) {
        m_kept.push_back(std::move(bytes));
    } else {
        m_kept.back() += bytes;
    }
}

void StderrDebugOutput::BeginBatch() {
    const std::lock_guard lock(m_mutex);
    ++m_batchDepth;
}

void StderrDebugOutput::EndBatch() {
    const std::lock_guard lock(m_mutex);
    if (m_batchDepth > 0 && --m_batchDepth == 0) {
        WriteKept();
    }
}

void StderrDebugOutput::WriteKept() {
    for (const std::string& bytes : m_kept) {
        WriteAll(bytes);
    }
    m_kept.clear();
}

} // namespace dashcam
