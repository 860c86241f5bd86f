#pragma once

#include <cstddef>
#include <cstdint>
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

// File services for the camera's files. Only regular files are read or written: a folder, a
// device or a pipe in a file's place is refused, so a load can neither block nor run unbounded.
class IFileAccess {
public:
    virtual ~IFileAccess() = default;
    // Opens an existing file for reading and returns its length and up to maxBytes of its start.
    virtual FileHead ReadHead(const std::string& path, std::size_t maxBytes) = 0;
    // Opens the file without truncating it (creating it when missing), writes the bytes at its
    // start and flushes them to the device; bytes of the file beyond them keep what they held.
    virtual WriteOutcome WriteInPlace(const std::string& path,
                                      std::span<const std::uint8_t> bytes) = 0;
    // Creates the file or truncates an existing one, writes the bytes and flushes them.
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
};

} // namespace dashcam
