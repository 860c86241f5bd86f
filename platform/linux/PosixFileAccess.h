#pragma once

#include "platform/FileAccess.h"

namespace dashcam {

class PosixFileAccess : public IFileAccess {
public:
    FileHead ReadHead(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome WriteInPlace(const std::string& path,
                              std::span<const std::uint8_t> bytes) override;
    WriteOutcome WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes) override;
    FileHead ReadPlainFile(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome WriteNewFile(const std::string& path,
                              std::span<const std::uint8_t> bytes) override;
    bool Remove(const std::string& path, std::string& error) override;
};

} // namespace dashcam
