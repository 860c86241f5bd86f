#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "pages/CardFormatUi.h"
#include "platform/Formatter.h"

namespace dashcam {

// Formats the camera's memory card (FAT32, or exFAT above 60000 MiB) and puts the camera's own
// files back: setup.cfg, default.cfg, lang/ver.dat, and a copy of this program.
//
// Nothing of the driver's is risked: the files are backed up into a folder made for this
// format alone, a file that exists on the card but cannot be backed up stops the format before
// anything is erased, and every restored file is compared with its backup before success is
// reported.
class CCardFormat {
public:
    CCardFormat(AppContext& context, IFormatter& formatter, ICardFormatUi& ui)
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
    struct KeptFile {
        std::string relative; // its path inside the card folder
        std::string backup;
        bool backedUp = false;
    };

    void ViewerHandshake();
    static std::vector<KeptFile> KeptFiles(const std::string& backupFolder);
    bool BackUp(std::vector<KeptFile>& files);
    void FormatWorker(const std::string& driveRoot, bool large, IProgress& progress);
    bool FormatCallback(int command, const void* data, IProgress& progress);
    // The files that could not be put back exactly; empty when all are back.
    std::vector<std::string> Restore(const std::vector<KeptFile>& files);
    void FollowTheCard();
    // Tells the user which files are not on the card and where their backups are kept.
    void ShowKeptCopies(const std::u16string& why, const std::vector<std::string>& paths,
                        const std::string& backupFolder);
    std::string MakeBackupFolder() const;
    // The failure message: "Cannot format the memory card.", then why the formatter failed.
    std::u16string FailureText() const;
    std::u16string Text(std::u16string_view key) const;

    AppContext& m_context;
    IFormatter& m_formatter;
    ICardFormatUi& m_ui;
    std::atomic<int> m_success{0};
    bool m_formatRan = false; // the formatter was asked to format, so the card was touched
    std::u16string m_loadFailure;
    std::string m_driveRoot;
};

} // namespace dashcam
