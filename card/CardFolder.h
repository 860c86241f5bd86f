#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace dashcam {

// The camera's own files by their names inside the card folder: the one place that spells them.
inline constexpr std::string_view kSetupFileName = "setup.cfg";
inline constexpr std::string_view kDefaultsFileName = "default.cfg";
inline constexpr std::string_view kClockFileName = "time.dat";
inline constexpr std::string_view kLanguageFolderName = "lang";
inline constexpr std::string_view kDeviceFileName = "ver.dat";
// In the root of the card's volume, not in the card folder.
inline constexpr std::string_view kTouchCalibrationFileName = "set_touch_cal.txt";
// The program's own folder under the PC's local application data: the relaunched copy and the
// backups of a card format.
inline constexpr std::string_view kLocalProgramFolderName = "Lumavist";

// A folder as a text ending with a separator, so a bare file name can follow; empty stays empty.
inline std::string FolderPath(const std::filesystem::path& folder) {
    return folder.empty() ? std::string() : (folder / "").string();
}

// The paths of the camera's files in one card folder.
class CardFolder {
public:
    explicit CardFolder(std::filesystem::path folder) : m_folder(std::move(folder)) {}

    std::string Setup() const { return File(kSetupFileName); }
    std::string Defaults() const { return File(kDefaultsFileName); }
    std::string Clock() const { return File(kClockFileName); }
    std::string LanguageFolder() const { return File(kLanguageFolderName); }
    std::string DeviceDescription() const { return File(DeviceDescriptionInCard()); }

    // lang/ver.dat as a path inside the card folder.
    static std::filesystem::path DeviceDescriptionInCard() {
        return std::filesystem::path(kLanguageFolderName) / kDeviceFileName;
    }

private:
    std::string File(const std::filesystem::path& inside) const {
        return (m_folder / inside).string();
    }

    std::filesystem::path m_folder;
};

} // namespace dashcam
