#pragma once

#include "platform/DebugOutput.h"

namespace dashcam {

// One batch of the channel's texts for the length of a scope.
class DebugBatch {
public:
    explicit DebugBatch(IDebugOutput& debug) : m_debug(debug) { m_debug.BeginBatch(); }
    ~DebugBatch() { m_debug.EndBatch(); }
    DebugBatch(const DebugBatch&) = delete;
    DebugBatch& operator=(const DebugBatch&) = delete;

private:
    IDebugOutput& m_debug;
};

} // namespace dashcam
