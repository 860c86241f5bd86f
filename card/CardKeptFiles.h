#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileAccess.h"

namespace dashcam {

// The camera's own files taken across a card format: setup.cfg, default.cfg and lang/ver.dat.
// Only plain files of a camera file's size are copied, never through a link, so a pipe, a device
// or a link in a file's place can neither hang the editor, fill the PC's disk nor lead a write
// off the card; such a file is left out and named.
class CardKeptFiles {
public:
    // Far above any camera file, far below what would fill a disk.
    static constexpr std::size_t kCameraFileLimit = 1 << 20;
    static constexpr std::size_t kProgramLimit = std::size_t(512) << 20;

    CardKeptFiles(IFileAccess& files, const std::string& backupFolder);

    // Copies each kept file of the card folder into the backup folder and checks the copy. A
    // missing file is nothing to keep. Returns false, with the card path of the file, when one
    // could not be saved.
    bool BackUp(const std::string& cardFolder, std::string& failed);
    // Puts the saved files back into the card folder, each only onto the card's device (its
    // files' device number), and returns the card paths of those that are not there exactly.
    std::vector<std::string> Restore(const std::string& cardFolder, std::uint64_t cardDevice);
    // The card paths of the saved files that are not on the card's device as they were saved;
    // all of them when cardDevice is 0 (the card folder is not on the card).
    std::vector<std::string> NotOnCard(const std::string& cardFolder, std::uint64_t cardDevice);
    // The card paths of files left out of the backup: not plain files, or too large.
    std::vector<std::string> LeftOut(const std::string& cardFolder) const;
    // Copies a file of the PC (the program) onto the card's device; false when it is not there.
    bool CopyOnto(const std::string& from, const std::string& to, std::uint64_t cardDevice);

private:
    enum class State { Absent, LeftOut, Saved };
    struct File {
        std::filesystem::path relative; // its path inside the card folder
        std::string backup;             // its copy in the backup folder
        State state = State::Absent;
        std::vector<std::uint8_t> bytes;
    };

    bool IsOnCard(const std::string& path, const std::vector<std::uint8_t>& bytes,
                  std::uint64_t cardDevice, std::size_t limit);
    bool Put(const std::string& path, const std::vector<std::uint8_t>& bytes,
             std::uint64_t cardDevice, std::size_t limit);

    IFileAccess& m_files;
    std::vector<File> m_kept;
};

} // namespace dashcam
