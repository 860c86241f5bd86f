#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "card/AppContext.h"
#include "platform/Formatter.h"
#include "platform/Prompt.h"
#include "platform/Volumes.h"

namespace dashcam {

class CardKeptFiles;

// Formats the camera's memory card (FAT32, or exFAT above 60000 MiB) and puts the camera's own
// files back: setup.cfg, default.cfg, lang/ver.dat, and a copy of this program.
//
// Nothing of the driver's is risked: only a memory card is formatted, and only the volume the
// user confirmed; the files are backed up into a folder made for this format alone, a file that
// exists on the card but cannot be backed up stops the format before anything is erased, files
// are put back only onto the freshly formatted card, and every message names the files that are
// not on the card and where their copies are.
class CCardFormat {
public:
    CCardFormat(AppContext& context, IFormatter& formatter, IPrompt& ui)
        : m_context(context), m_formatter(formatter), m_ui(ui) {}

    // The Format button: confirmation, viewer hand-shake, then the format procedure.
    void OnFormatButton();
    // The format procedure itself (after the confirmation and the hand-shake).
    void Format();

    // The card is large (exFAT) when it is removable and above 60000 MiB.
    bool IsLargeCard() const;

    // Test seams: the pause after the format, and the bound on the viewer's answer.
    std::chrono::milliseconds finalPause{1000};
    int viewerWaitMs = 30000;

private:
    void ViewerHandshake();
    std::u16string VolumeLine(const VolumeIdentity& volume) const;
    std::u16string SizeText(std::uint64_t bytes) const;
    std::string MakeBackupFolder();
    bool BackUp(CardKeptFiles& kept, const std::string& backupFolder);
    void RemoveBackup(const std::string& backupFolder);
    void FormatWorker(const std::string& driveRoot, bool large, IProgress& progress);
    bool FormatCallback(int command, const void* data, IProgress& progress);
    void FollowTheCard();
    // The device number of the card folder's files when it lies on the confirmed volume, with a
    // file system other than the one formatted over; 0 when it does not.
    std::uint64_t FreshCardDevice(std::uint64_t& sameCardDevice);
    void PutBack(CardKeptFiles& kept, const std::string& backupFolder);
    void Report(const std::vector<std::string>& notOnCard, const std::u16string& why,
                const std::vector<std::string>& leftOut, const std::string& programCopy,
                const std::string& backupFolder);
    void ShowNotFormatted(std::u16string_view key, const std::string& path = {});
    // The failure message: "Cannot format the memory card.", then why the formatter failed.
    std::u16string FailureText() const;
    std::u16string Text(std::u16string_view key) const;

    AppContext& m_context;
    IFormatter& m_formatter;
    IPrompt& m_ui;
    std::atomic<int> m_success{0};
    bool m_formatRan = false;     // the formatter was asked to format, so the card was touched
    bool m_deviceChanged = false; // the drive root was no longer on the confirmed volume
    std::u16string m_loadFailure;
    std::string m_driveRoot;
    bool m_asked = false; // the user confirmed the volume below
    VolumeIdentity m_confirmed;
};

} // namespace dashcam
