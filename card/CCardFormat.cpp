#include "card/CCardFormat.h"

#include <cstdio>
#include <filesystem>
#include <thread>
#include <utility>

#include "card/CardFolder.h"
#include "card/CardKeptFiles.h"
#include "text/Placeholders.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

constexpr std::uint32_t kViewerReleaseCard = 1123; // WM_USER + 99
constexpr std::uint32_t kDeviceChange = 0x219;     // WM_DEVICECHANGE
constexpr std::uint64_t kLargeCardMiB = 60000;

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::u16string Lines(const std::vector<std::string>& paths) {
    std::u16string text;
    for (const std::string& path : paths) {
        text += Utf16FromUtf8(path) + u"\r\n";
    }
    return text;
}

} // namespace

std::u16string CCardFormat::Text(std::u16string_view key) const {
    return m_context.language.GetText(key);
}

// The size in the pack's units, counted as the PC's file manager counts them.
std::u16string CCardFormat::SizeText(std::uint64_t bytes) const {
    char number[32];
    if (bytes >= (1ULL << 30)) {
        std::snprintf(number, sizeof number, "%.1f", double(bytes) / double(1ULL << 30));
        return FillPlaceholders(Text(u"IDS_STRING540"), {Utf16FromUtf8(number)});
    }
    std::snprintf(number, sizeof number, "%.0f", double(bytes) / double(1ULL << 20));
    return FillPlaceholders(Text(u"IDS_STRING541"), {Utf16FromUtf8(number)});
}

void CCardFormat::OnFormatButton() {
    m_asked = false;
    VolumeIdentity volume;
    if (!m_context.CardPath.empty()) {
        volume = m_context.platform.volumes.Identify(m_context.CardPath);
    }
    // The Part's two lines, and which volume will be erased.
    std::u16string question = Text(u"IDS_STRING163") + u"\r\n" + Text(u"IDS_STRING1630") + u"\r\n";
    if (!volume.device.empty()) {
        question += VolumeLine(volume) + u"\r\n";
    }
    if (!m_ui.Confirm(Text(u"IDS_STRING162"), question)) {
        return;
    }
    m_confirmed = volume;
    m_asked = true;
    ViewerHandshake();
    Format();
}

std::u16string CCardFormat::VolumeLine(const VolumeIdentity& volume) const {
    const std::u16string label =
        volume.label.empty() ? Text(u"IDS_STRING401") : Utf16FromUtf8(volume.label);
    return Text(u"IDS_STRING400") + u" " + label + u", " + SizeText(volume.sizeBytes) + u", " +
           Utf16FromUtf8(volume.device);
}

void CCardFormat::ViewerHandshake() {
    IViewerLink& viewer = m_context.platform.viewer;
    IViewerLink::Window window = viewer.FindViewerWindow(u"BREVANTIS REZORED PC VIEWER");
    if (window == 0) {
        window = viewer.FindViewerWindow(u"Lumavist");
    }
    if (window == 0) {
        return;
    }
    viewer.PostViewerMessage(window, kViewerReleaseCard);
    // A viewer that never answers must not hang the editor: the wait is bounded.
    viewer.WaitForViewerEvent(u"EVENT_FILE_PARSING", viewerWaitMs);
}

bool CCardFormat::IsLargeCard() const {
    IVolumes& volumes = m_context.platform.volumes;
    return volumes.IsRemovable(m_context.CardPath) &&
           volumes.CapacityBytes(m_context.CardPath) / 1048576 > kLargeCardMiB;
}

std::string CCardFormat::MakeBackupFolder() {
    IFileAccess& files = m_context.platform.files;
    const std::filesystem::path base =
        std::filesystem::path(m_context.platform.program.LocalAppDataFolder()) /
        kLocalProgramFolderName;
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path folder =
            base / ("format-backup-" + std::to_string(stamp) + "-" + std::to_string(attempt));
        std::string error;
        files.MakeFolders(base.string(), error);
        if (files.MakeNewFolder(folder.string(), error)) {
            return FolderPath(folder);
        }
    }
    return {};
}

void CCardFormat::RemoveBackup(const std::string& backupFolder) {
    std::string error;
    m_context.platform.files.RemoveFolder(backupFolder, error);
}

bool CCardFormat::BackUp(CardKeptFiles& kept, const std::string& backupFolder) {
    std::string failed;
    if (kept.BackUp(m_context.CardPath, failed)) {
        return true;
    }
    // The card is untouched: a half backup is of no use.
    RemoveBackup(backupFolder);
    ShowNotFormatted(u"IDS_STRING407", failed);
    return false;
}

void CCardFormat::ShowNotFormatted(std::u16string_view key, const std::string& path) {
    std::u16string text = Text(key) + u"\r\n";
    if (!path.empty()) {
        text += Utf16FromUtf8(path) + u"\r\n";
    }
    m_ui.ShowMessage(Text(u"IDS_STRING162"), text);
}

bool CCardFormat::FormatCallback(int command, const void* data, IProgress& progress) {
    if (command == kFormatDone) {
        m_success = (data != nullptr && *static_cast<const unsigned char*>(data) == 1) ? 1 : 0;
    } else if (command == kFormatStructureProgress) {
        progress.SetProgress(progress.GetProgress() + 20);
    }
    return true;
}

void CCardFormat::FormatWorker(const std::string& driveRoot, bool large, IProgress& progress) {
    std::u16string message;
    if (!m_formatter.Load(message)) {
        m_loadFailure = message;
        progress.Close();
        return;
    }
    // The last look before anything is erased: still the volume the user confirmed.
    if (!m_context.platform.volumes.Identify(driveRoot).SameDevice(m_confirmed)) {
        m_deviceChanged = true; // read after the worker has been joined
        progress.Close();
        return;
    }
    m_formatRan = true;
    FormatRequest request;
    request.driveRoot = driveRoot;
    request.fileSystem = large ? u"exfat" : u"FAT32";
    request.clusterSize = large ? 0 : 32768;
    m_formatter.FormatEx(request, [&](int command, int, const void* data) {
        return FormatCallback(command, data, progress);
    });
    progress.SetProgress(m_success == 1 ? 100 : 0);
    std::this_thread::sleep_for(finalPause);
    progress.Close();
}

void CCardFormat::FollowTheCard() {
    // The card may come back at another mount point: the card folder moves with it, so the
    // restore and a later Save reach the card and not a stale folder.
    const std::string mount = m_formatter.MountPointAfterFormat();
    const std::string card = FolderPath(m_context.platform.files.ResolvedPath(m_context.CardPath));
    if (card.empty() || mount.empty() || mount == m_driveRoot) {
        return;
    }
    if (card.rfind(m_driveRoot, 0) == 0) {
        m_context.CardPath = FolderPath(mount) + card.substr(m_driveRoot.size());
    }
}

std::uint64_t CCardFormat::FreshCardDevice(std::uint64_t& sameCardDevice) {
    const VolumeIdentity now = m_context.platform.volumes.Identify(m_context.CardPath);
    sameCardDevice = 0;
    if (!now.SameDevice(m_confirmed)) {
        return 0; // the card was pulled, or the folder is the PC's own
    }
    sameCardDevice = now.filesOn;
    // The same file system as before means nothing was formatted over it.
    const bool fresh =
        now.serial.empty() || m_confirmed.serial.empty() || now.serial != m_confirmed.serial;
    return fresh ? now.filesOn : 0;
}

void CCardFormat::PutBack(CardKeptFiles& kept, const std::string& backupFolder) {
    // A card that did not come back leaves a bare folder of the PC at its mount point.
    const bool mounted = !m_formatRan || !m_formatter.MountPointAfterFormat().empty();
    if (mounted) {
        FollowTheCard();
    }
    std::uint64_t sameDevice = 0;
    const std::uint64_t fresh = mounted ? FreshCardDevice(sameDevice) : 0;
    const std::string executable = m_context.platform.program.ExecutablePath();
    const std::string copy =
        (std::filesystem::path(m_context.CardPath) / FileName(executable)).string();
    // A card that was not touched still holds everything, the files left out of the backup too.
    const bool untouched = fresh == 0 && sameDevice != 0;
    std::vector<std::string> notOnCard;
    std::string programCopy = untouched ? std::string() : copy;
    std::u16string why;
    if (fresh != 0) {
        std::string error;
        m_context.platform.files.MakeFolders(CardFolder(m_context.CardPath).LanguageFolder(),
                                             error);
        notOnCard = kept.Restore(m_context.CardPath, fresh);
        if (kept.CopyOnto(executable, copy, fresh)) {
            programCopy.clear();
        }
        why = Text(u"IDS_STRING403");
    } else {
        notOnCard = kept.NotOnCard(m_context.CardPath, sameDevice);
        why = Text(mounted ? u"IDS_STRING405" : u"IDS_STRING402");
    }
    Report(notOnCard, why,
           untouched ? std::vector<std::string>{} : kept.LeftOut(m_context.CardPath), programCopy,
           backupFolder);
}

void CCardFormat::Report(const std::vector<std::string>& notOnCard, const std::u16string& why,
                         const std::vector<std::string>& leftOut, const std::string& programCopy,
                         const std::string& backupFolder) {
    if (notOnCard.empty()) {
        RemoveBackup(backupFolder); // it holds nothing the card lacks
    }
    std::u16string text;
    if (notOnCard.empty() && leftOut.empty() && programCopy.empty()) {
        text = m_success == 1 ? Text(u"IDS_STRING179") : FailureText();
        m_ui.ShowMessage(Text(u"IDS_STRING162"), text);
        return;
    }
    if (m_success != 1) {
        text = Text(u"IDS_STRING181") + u"\r\n"; // the lines below say what matters now
    }
    if (!notOnCard.empty()) {
        text += why + u"\r\n" + Lines(notOnCard) + Text(u"IDS_STRING404") + u" " +
                Utf16FromUtf8(backupFolder) + u"\r\n";
    }
    if (!leftOut.empty()) {
        text += Text(u"IDS_STRING406") + u"\r\n" + Lines(leftOut);
    }
    if (!programCopy.empty()) {
        text += Text(u"IDS_STRING410") + u"\r\n" + Lines({programCopy});
    }
    m_ui.ShowMessage(Text(u"IDS_STRING162"), text);
}

std::u16string CCardFormat::FailureText() const {
    std::u16string_view why = u"IDS_STRING1810"; // in use by another program
    switch (m_formatter.LastFault()) {
    case FormatFault::WriteProtected:
        why = u"IDS_STRING420";
        break;
    case FormatFault::TooSmall:
        why = u"IDS_STRING421";
        break;
    case FormatFault::NotAuthorised:
        why = u"IDS_STRING422";
        break;
    case FormatFault::WrongLayout:
        // The layout that was made, in the file system's own terms, for whoever helps the user.
        return Text(u"IDS_STRING181") + u"\r\n" + Text(u"IDS_STRING423") + u"\r\n" +
               Utf16FromUtf8(m_formatter.LastLayout()) + u"\r\n";
    default:
        break;
    }
    return Text(u"IDS_STRING181") + u"\r\n" + Text(why) + u"\r\n";
}

void CCardFormat::Format() {
    const bool asked = std::exchange(m_asked, false);
    if (m_context.CardPath.empty()) {
        return;
    }
    IVolumes& volumes = m_context.platform.volumes;
    m_driveRoot = volumes.DriveRoot(m_context.CardPath);
    // Only a memory card is ever formatted, never a fixed disk.
    if (m_driveRoot.empty() || !volumes.IsRemovable(m_driveRoot)) {
        return;
    }
    const VolumeIdentity current = volumes.Identify(m_driveRoot);
    if (current.device.empty()) {
        return; // no device behind it: nothing a formatter could be given
    }
    if (asked && !current.SameDevice(m_confirmed)) {
        ShowNotFormatted(u"IDS_STRING409");
        return;
    }
    m_confirmed = current;
    const std::string backupFolder = MakeBackupFolder();
    if (backupFolder.empty()) {
        ShowNotFormatted(u"IDS_STRING408");
        return;
    }
    CardKeptFiles kept(m_context.platform.files, backupFolder);
    if (!BackUp(kept, backupFolder)) {
        return;
    }
    const bool large = IsLargeCard();

    m_success = 0;
    m_formatRan = false;
    m_deviceChanged = false;
    m_loadFailure.clear();
    std::thread worker;
    m_ui.ShowProgress(Text(u"IDS_STRING162"),
                      Text(u"IDS_STRING178") + u"\r\n" + Text(u"IDS_STRING1780") + u"\r\n", 400,
                      150, [&](IProgress& progress) {
                          worker = std::thread(&CCardFormat::FormatWorker, this, m_driveRoot, large,
                                               std::ref(progress));
                      });
    worker.join();
    if (!m_loadFailure.empty()) {
        // Nothing was started: the card is whole, and "in use" would be the wrong reason.
        RemoveBackup(backupFolder);
        m_ui.ShowMessage(Text(u"IDS_STRING162"), Text(u"IDS_STRING181") + u"\r\n" +
                                                     Text(u"IDS_STRING424") + u"\r\n" +
                                                     m_loadFailure + u"\r\n");
        return;
    }
    if (m_deviceChanged) {
        RemoveBackup(backupFolder);
        ShowNotFormatted(u"IDS_STRING409");
        return;
    }
    if (!m_formatRan || !m_formatter.CardTouched()) {
        // Stopped before the card was written: everything is still on it, so there is nothing
        // to put back and no backup to keep. It may have been mounted again elsewhere.
        if (m_formatRan) {
            FollowTheCard();
        }
        RemoveBackup(backupFolder);
        m_ui.ShowMessage(Text(u"IDS_STRING162"), FailureText());
        return;
    }
    PutBack(kept, backupFolder);
    if (large) {
        IViewerLink& viewer = m_context.platform.viewer;
        if (IViewerLink::Window window = viewer.FindViewerWindow(u"Lumavist")) {
            viewer.PostViewerMessage(window, kDeviceChange);
        }
    }
}

} // namespace dashcam
