#pragma once

#include <functional>
#include <string>

#include "platform/linux/PosixFileAccess.h"

namespace dashcam::test {

// The real files, except that writes to paths holding a chosen text fail as a full or broken
// device would, and a test may act (pull a card) right before a file is written.
class FaultyFileAccess : public PosixFileAccess {
public:
    WriteOutcome WriteNewFile(const std::string& path,
                              std::span<const std::uint8_t> bytes) override {
        if (beforeWrite) {
            beforeWrite(path);
        }
        if (!failWritesTo.empty() && path.find(failWritesTo) != std::string::npos) {
            return {false, false, "Input/output error", 0};
        }
        return PosixFileAccess::WriteNewFile(path, bytes);
    }

    std::string failWritesTo;
    std::function<void(const std::string& path)> beforeWrite;
};

} // namespace dashcam::test
