#pragma once

#include "platform/FileAccess.h"

namespace dashcam {

class PosixFileAccess : public IFileAccess {
public:
    FileHead ReadHead(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome ReplaceStart(const std::string& path,
                              std::span<const std::uint8_t> bytes) override;
    WriteOutcome WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes) override;
    FileHead ReadPlainFile(const std::string& path, std::size_t maxBytes) override;
    WriteOutcome WriteNewFile(const std::string& path,
                              std::span<const std::uint8_t> bytes) override;
    bool Remove(const std::string& path, std::string& error) override;
    bool MakeFolders(const std::string& path, std::string& error) override;
    bool MakeNewFolder(const std::string& path, std::string& error) override;
    bool RemoveFolder(const std::string& path, std::string& error) override;
    std::string ResolvedPath(const std::string& path) override;
    std::unique_ptr<IFileLock> LockFolder(const std::string& folder, bool exclusive,
                                          std::string& error) override;

private:
    WriteOutcome Replace(const std::string& path, std::span<const std::uint8_t> bytes,
                         bool keepTail);
};

} // namespace dashcam
