#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/FileAccess.h"

namespace dashcam::fuzz {

// Files held in memory, so that a fuzz run reads and writes the camera's files without the
// disk; a missing path cannot be opened.
class MemoryFileAccess : public IFileAccess {
public:
    FileHead ReadHead(const std::string& path, std::size_t maxBytes) override {
        FileHead head;
        const auto found = files.find(path);
        if (found == files.end()) {
            head.error = "No such file or directory";
            return head;
        }
        head.opened = true;
        head.length = found->second.size();
        head.bytes.assign(found->second.begin(),
                          found->second.begin() + static_cast<std::ptrdiff_t>(
                                                      std::min(maxBytes, found->second.size())));
        return head;
    }
    WriteOutcome ReplaceStart(const std::string& path,
                              std::span<const std::uint8_t> bytes) override {
        std::vector<std::uint8_t>& file = files[path];
        if (file.size() < bytes.size()) {
            file.resize(bytes.size());
        }
        std::copy(bytes.begin(), bytes.end(), file.begin());
        return {true, true, {}};
    }
    WriteOutcome WriteWhole(const std::string& path, std::span<const std::uint8_t> bytes) override {
        files[path].assign(bytes.begin(), bytes.end());
        return {true, true, {}};
    }
    FileHead ReadPlainFile(const std::string& path, std::size_t maxBytes) override {
        return ReadHead(path, maxBytes);
    }
    WriteOutcome WriteNewFile(const std::string& path,
                              std::span<const std::uint8_t> bytes) override {
        if (files.count(path) != 0) {
            return {};
        }
        return WriteWhole(path, bytes);
    }
    bool Remove(const std::string& path, std::string&) override {
        files.erase(path);
        return true;
    }
    // One fuzz run is one process with one writer: the lock has nothing to keep out.
    std::unique_ptr<IFileLock> LockFolder(const std::string&, bool, std::string&) override {
        return std::make_unique<IFileLock>();
    }

    std::map<std::string, std::vector<std::uint8_t>> files;
};

} // namespace dashcam::fuzz
