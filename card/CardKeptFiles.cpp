#include "card/CardKeptFiles.h"

#include <filesystem>
#include <utility>

#include "card/CardFolder.h"

namespace dashcam {

namespace {

std::string InCard(const std::string& cardFolder, const std::filesystem::path& relative) {
    return (std::filesystem::path(cardFolder) / relative).string();
}

} // namespace

CardKeptFiles::CardKeptFiles(IFileAccess& files, const std::string& backupFolder) : m_files(files) {
    for (const std::filesystem::path& relative :
         {std::filesystem::path(kSetupFileName), std::filesystem::path(kDefaultsFileName),
          CardFolder::DeviceDescriptionInCard()}) {
        File& file = m_kept.emplace_back();
        file.relative = relative;
        // Each under its bare name: the backup folder has no sub-folders.
        file.backup = (std::filesystem::path(backupFolder) / relative.filename()).string();
    }
}

bool CardKeptFiles::BackUp(const std::string& cardFolder, std::string& failed) {
    for (File& file : m_kept) {
        const std::string onCard = InCard(cardFolder, file.relative);
        FileHead head = m_files.ReadPlainFile(onCard, kCameraFileLimit + 1);
        if (head.missing) {
            continue; // nothing to keep, and nothing of an earlier format is put in its place
        }
        if (head.notPlain || (head.opened && head.length > kCameraFileLimit)) {
            file.state = State::LeftOut;
            continue;
        }
        if (!head.opened || head.bytes.size() != head.length ||
            !Put(file.backup, head.bytes, 0, kCameraFileLimit)) {
            failed = onCard;
            return false;
        }
        file.bytes = std::move(head.bytes);
        file.state = State::Saved;
    }
    return true;
}

std::vector<std::string> CardKeptFiles::Restore(const std::string& cardFolder,
                                                std::uint64_t cardDevice) {
    std::vector<std::string> notOnCard;
    for (const File& file : m_kept) {
        const std::string onCard = InCard(cardFolder, file.relative);
        if (file.state == State::Saved && !Put(onCard, file.bytes, cardDevice, kCameraFileLimit)) {
            notOnCard.push_back(onCard);
        }
    }
    return notOnCard;
}

std::vector<std::string> CardKeptFiles::NotOnCard(const std::string& cardFolder,
                                                  std::uint64_t cardDevice) {
    std::vector<std::string> notOnCard;
    for (const File& file : m_kept) {
        const std::string onCard = InCard(cardFolder, file.relative);
        if (file.state == State::Saved &&
            (cardDevice == 0 || !IsOnCard(onCard, file.bytes, cardDevice, kCameraFileLimit))) {
            notOnCard.push_back(onCard);
        }
    }
    return notOnCard;
}

std::vector<std::string> CardKeptFiles::LeftOut(const std::string& cardFolder) const {
    std::vector<std::string> paths;
    for (const File& file : m_kept) {
        if (file.state == State::LeftOut) {
            paths.push_back(InCard(cardFolder, file.relative));
        }
    }
    return paths;
}

bool CardKeptFiles::CopyOnto(const std::string& from, const std::string& to,
                             std::uint64_t cardDevice) {
    const FileHead program = m_files.ReadHead(from, kProgramLimit + 1);
    return program.opened && program.bytes.size() == program.length &&
           program.length <= kProgramLimit && Put(to, program.bytes, cardDevice, kProgramLimit);
}

bool CardKeptFiles::IsOnCard(const std::string& path, const std::vector<std::uint8_t>& bytes,
                             std::uint64_t cardDevice, std::size_t limit) {
    const FileHead head = m_files.ReadPlainFile(path, limit + 1);
    return head.opened && (cardDevice == 0 || head.device == cardDevice) && head.bytes == bytes;
}

// Writes the file as a new one (never over anything, never through a link), then reads it back;
// a file already there counts when it holds the same bytes. A file that landed on another device
// than the card's (the PC's own folder under a vanished mount point) is taken away again.
bool CardKeptFiles::Put(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::uint64_t cardDevice, std::size_t limit) {
    const WriteOutcome outcome = m_files.WriteNewFile(path, bytes);
    if (!outcome.opened) {
        return IsOnCard(path, bytes, cardDevice, limit); // something was there already
    }
    if (cardDevice != 0 && outcome.device != cardDevice) {
        std::string error;
        m_files.Remove(path, error);
        return false;
    }
    return outcome.written && IsOnCard(path, bytes, cardDevice, limit);
}

} // namespace dashcam
