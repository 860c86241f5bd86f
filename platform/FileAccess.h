#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace dashcam {

struct FileHead {
    bool opened = false;
    std::uint64_t length = 0;        // the whole file's length in bytes
    std::vector<std::uint8_t> bytes; // at most the asked number of bytes from its start
    std::string error;               // why it could not be opened or read
    bool missing = false;            // nothing is at the path
    bool notPlain = false;           // a folder, device, pipe or (where refused) link is there
    std::uint64_t device = 0;        // the number of the device that holds the file
};

struct WriteOutcome {
    bool opened = false;
    bool written = false; // every byte written and flushed to the device
    std::string error;
    std::uint64_t device = 0; // the number of the device that holds the file
};

// Held while a read-modify-write of a card folder's files runs; released when destroyed.
class IFileLock {
public:
    virtual ~IFileLock() = default;
};

// File services for the camera's files. Only regular files are read or written: a folder, a
// device or a pipe in a file's place is refused, so a load can neither block nor run unbounded.
// Writes never follow a symbolic link and replace a file whole or not at all: the new content is
// flushed under a temporary name beside the file and then takes the file's name, so a failure
// or a kill at any moment leaves either the old file or the new one.
class IFileAccess {
public:
    virtual ~IFileAccess() = default;
    // Opens an existing file for reading and returns its length and up to maxBytes of its start.
    virtual FileHead ReadHead(const std::string& path, std::size_t maxBytes) = 0;
    // Gives the file the bytes at its start and keeps its length and the bytes past them (a
    // missing file is created); `opened` is false when neither the file nor its replacement
    // could be opened.
    virtual WriteOutcome ReplaceStart(const std::string& path,
                                      std::span<const std::uint8_t> bytes) = 0;
    // Gives the file exactly these bytes, creating it when missing.
    virtual WriteOutcome WriteWhole(const std::string& path,
                                    std::span<const std::uint8_t> bytes) = 0;
    // For files taken across a card format: as ReadHead, but a symbolic link in the file's place
    // is refused as well, never followed.
    virtual FileHead ReadPlainFile(const std::string& path, std::size_t maxBytes) = 0;
    // Creates a new file, writes the bytes and flushes them; anything already at the path (a
    // file, a link, a pipe) is left alone and the file is not opened.
    virtual WriteOutcome WriteNewFile(const std::string& path,
                                      std::span<const std::uint8_t> bytes) = 0;
    // Deletes a file; a file that does not exist counts as deleted.
    virtual bool Remove(const std::string& path, std::string& error) = 0;
    // Creates the folder and the folders above it that are missing; an existing folder is fine.
    virtual bool MakeFolders(const std::string& path, std::string& error) = 0;
    // Creates the folder only when nothing is at the path yet: false when anything is there.
    virtual bool MakeNewFolder(const std::string& path, std::string& error) = 0;
    // Deletes a folder with everything in it, never following a link out of it; a missing
    // folder counts as deleted.
    virtual bool RemoveFolder(const std::string& path, std::string& error) = 0;
    // The absolute path with links and dot segments resolved as far as the path exists; empty
    // when it cannot be resolved.
    virtual std::string ResolvedPath(const std::string& path) = 0;
    // Waits for an advisory lock on the folder, shared between readers or held by one writer
    // (other programs using the same lock); null with the reason when it cannot be taken.
    virtual std::unique_ptr<IFileLock> LockFolder(const std::string& folder, bool exclusive,
                                                  std::string& error) = 0;
};

} // namespace dashcam
