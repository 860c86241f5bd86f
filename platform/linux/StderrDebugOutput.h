#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/DebugOutput.h"

namespace dashcam {

// Diagnostics on Linux go to standard error, each text whole in one write, so lines from several
// sources never interleave inside a line. A batch's texts are written together, in as few
// writes as keep that true.
class StderrDebugOutput : public IDebugOutput {
public:
    StderrDebugOutput() = default;
    StderrDebugOutput(const StderrDebugOutput&) = delete;
    StderrDebugOutput& operator=(const StderrDebugOutput&) = delete;
    ~StderrDebugOutput() override;

    void Write(std::u16string_view text) override;
    void BeginBatch() override;
    void EndBatch() override;

private:
    void WriteKept();

    std::mutex m_mutex; // the zone catalogue's thread writes too
    int m_batchDepth = 0;
    std::vector<std::string> m_kept; // each at most one atomic write, or a single text
};

} // namespace dashcam
