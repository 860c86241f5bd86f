#pragma once

#include <string_view>

namespace dashcam {

// The debugger-output channel: fixed diagnostic texts, one call per text, never shown to the user.
class IDebugOutput {
public:
    virtual ~IDebugOutput() = default;
    virtual void Write(std::u16string_view text) = 0;

    // Between the two, a channel may keep the texts and write them together at the end, in the
    // same order: where every write is slow (a terminal, the journal), a parse that writes
    // hundreds of texts would otherwise wait on each. Batches may nest.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};

} // namespace dashcam
