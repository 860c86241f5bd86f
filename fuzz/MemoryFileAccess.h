#pragma once

#include <algorithm>
#include <map>
#include <set>
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
    // Folders are implied by the files' paths.
    bool MakeFolders(const std::string&, std::string&) override { return true; }
    bool MakeNewFolder(const std::string& path, std::string&) override {
        return folders.insert(path).second;
    }
    bool RemoveFolder(const std::string& path, std::string&) override {
        folders.erase(path);
        std::erase_if(files, [&path](const auto& file) { return file.first.rfind(path, 0) == 0; });
        return true;
    }
    std::string ResolvedPath(const std::string& path) override { return path; }
    std::unique_ptr<IFileLock> LockFolder(const std::string&, bool, std::string&) override {
        return std::make_unique<IFileLock>();
    }

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> folders;
};

} // namespace dashcam::fuzz
