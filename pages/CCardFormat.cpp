#include "pages/CCardFormat.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "text/Utf.h"

namespace dashcam {
namespace {

constexpr std::uint32_t kViewerReleaseCard = 1123; // WM_USER + 99
constexpr std::uint32_t kDeviceChange = 0x219;     // WM_DEVICECHANGE
constexpr std::uint64_t kLargeCardMiB = 60000;

std::string FileName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

bool SameContent(const std::string& a, const std::string& b) {
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    if (!fa || !fb) {
        return false;
    }
    return std::equal(std::istreambuf_iterator<char>(fa), {}, std::istreambuf_iterator<char>(fb),
                      {});
}

} // namespace

std::u16string CCardFormat::Text(std::u16string_view key) const {
    return m_context.language.GetText(key);
}

void CCardFormat::OnFormatButton() {
    const std::u16string question =
        Text(u"IDS_STRING163") + u"\r\n" + Text(u"IDS_STRING1630") + u"\r\n";
    if (!m_ui.AskYesNo(Text(u"IDS_STRING162"), question)) {
        return;
    }
    ViewerHandshake();
    Format();
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

std::vector<CCardFormat::KeptFile> CCardFormat::KeptFiles(const std::string& backupFolder) {
    return {{"setup.cfg", backupFolder + "setup.cfg"},
            {"default.cfg", backupFolder + "default.cfg"},
            {"lang/ver.dat", backupFolder + "ver.dat"}};
}

std::string CCardFormat::MakeBackupFolder() const {
    const std::string base = m_context.platform.program.LocalAppDataFolder() + "/Lumavist/";
    const auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string folder =
            base + "format-backup-" + std::to_string(stamp) + "-" + std::to_string(attempt);
        std::error_code error;
        std::filesystem::create_directories(base, error);
        if (std::filesystem::create_directory(folder, error) && !error) {
            return folder + "/";
        }
    }
    return {};
}

bool CCardFormat::BackUp(std::vector<KeptFile>& files) {
    for (KeptFile& file : files) {
        const std::string onCard = m_context.CardPath + file.relative;
        std::error_code error;
        if (!std::filesystem::exists(onCard, error)) {
            continue; // nothing to keep, and nothing of an earlier format is put in its place
        }
        if (!m_context.platform.program.CopyFile(onCard, file.backup) ||
            !SameContent(onCard, file.backup)) {
            m_ui.ShowMessage(Text(u"IDS_STRING162"),
                             u"The memory card was not formatted: " + Utf16FromUtf8(onCard) +
                                 u" could not be saved first, so it would have been lost.");
            return false;
        }
        file.backedUp = true;
    }
    return true;
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
    m_formatRan = true; // read after the worker has been joined
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
    if (!mount.empty() && mount != m_driveRoot && m_context.CardPath.rfind(m_driveRoot, 0) == 0) {
        std::string moved = mount;
        if (moved.back() != '/') {
            moved += '/';
        }
        m_context.CardPath = moved + m_context.CardPath.substr(m_driveRoot.size());
    }
}

std::vector<std::string> CCardFormat::Restore(const std::vector<KeptFile>& files) {
    IProgramHost& program = m_context.platform.program;
    std::vector<std::string> problems;
    for (const KeptFile& file : files) {
        if (!file.backedUp) {
            continue;
        }
        const std::string onCard = m_context.CardPath + file.relative;
        if (!program.CopyFile(file.backup, onCard) || !SameContent(file.backup, onCard)) {
            problems.push_back(onCard);
        }
    }
    const std::string executable = program.ExecutablePath();
    const std::string copy = m_context.CardPath + FileName(executable);
    if (!program.CopyFile(executable, copy) || !SameContent(executable, copy)) {
        problems.push_back(copy);
    }
    return problems;
}

void CCardFormat::ShowKeptCopies(const std::u16string& why, const std::vector<std::string>& paths,
                                 const std::string& backupFolder) {
    std::u16string text;
    if (m_success != 1) {
        text = Text(u"IDS_STRING181") + u"\r\n";
    }
    text += why;
    for (const std::string& path : paths) {
        text += Utf16FromUtf8(path) + u"\r\n";
    }
    text += u"Their copies are kept in " + Utf16FromUtf8(backupFolder) + u"\r\n";
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
    if (m_context.CardPath.empty()) {
        return;
    }
    IVolumes& volumes = m_context.platform.volumes;
    m_driveRoot = volumes.DriveRoot(m_context.CardPath);
    // Only a memory card is ever formatted, never a fixed disk.
    if (m_driveRoot.empty() || !volumes.IsRemovable(m_driveRoot)) {
        return;
    }
    const std::string backupFolder = MakeBackupFolder();
    if (backupFolder.empty()) {
        m_ui.ShowMessage(Text(u"IDS_STRING162"), u"The memory card was not formatted: no folder "
                                                 u"for the backup of its files could be made.");
        return;
    }
    std::vector<KeptFile> files = KeptFiles(backupFolder);
    if (!BackUp(files)) {
        return;
    }
    const bool large = IsLargeCard();

    m_success = 0;
    m_formatRan = false;
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
        m_ui.ShowMessage(Text(u"IDS_STRING162"), m_loadFailure);
    }
    if (!m_formatRan || !m_formatter.CardTouched()) {
        // Stopped before the card was written: everything is still on it, so there is nothing
        // to put back and no backup to keep. It may have been mounted again elsewhere.
        if (m_formatRan) {
            FollowTheCard();
        }
        std::error_code error;
        std::filesystem::remove_all(backupFolder, error);
        m_ui.ShowMessage(Text(u"IDS_STRING162"), FailureText());
        return;
    }

    if (m_formatRan && m_formatter.MountPointAfterFormat().empty()) {
        // The card did not come back: the folder left at its mount point is the computer's own,
        // so files put there would be hidden under the card and their backups thrown away.
        std::vector<std::string> kept;
        for (const KeptFile& file : files) {
            if (file.backedUp) {
                kept.push_back(m_context.CardPath + file.relative);
            }
        }
        ShowKeptCopies(u"The memory card is not mounted any more, so these files were not put "
                       u"back on it:\r\n",
                       kept, backupFolder);
        return;
    }
    FollowTheCard();
    std::error_code error;
    std::filesystem::create_directories(m_context.CardPath + "lang", error);
    const std::vector<std::string> problems = Restore(files);

    if (!problems.empty()) {
        ShowKeptCopies(u"These files could not be put back on the memory card exactly:\r\n",
                       problems, backupFolder);
    } else if (m_success == 1) {
        std::filesystem::remove_all(backupFolder, error);
        m_ui.ShowMessage(Text(u"IDS_STRING162"), Text(u"IDS_STRING179"));
    } else {
        std::filesystem::remove_all(backupFolder, error);
        m_ui.ShowMessage(Text(u"IDS_STRING162"), FailureText());
    }
    if (large) {
        IViewerLink& viewer = m_context.platform.viewer;
        if (IViewerLink::Window window = viewer.FindViewerWindow(u"Lumavist")) {
            viewer.PostViewerMessage(window, kDeviceChange);
        }
    }
}

} // namespace dashcam
