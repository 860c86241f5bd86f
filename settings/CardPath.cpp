#include "settings/CardPath.h"

#include <filesystem>
#include <system_error>

namespace dashcam {

std::string CardPathFromArguments(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return {};
    }
    std::string path = arguments.front();
    constexpr char separator = std::filesystem::path::preferred_separator;
    std::error_code error;
    if (!path.empty() && path.back() != separator && std::filesystem::is_directory(path, error)) {
        path += separator;
    }
    // Absolute from the start: the folder must stay the same when the working folder changes,
    // and a format can only move it to the card's new mount point when it names its mount.
    if (!path.empty()) {
        const std::filesystem::path absolute = std::filesystem::absolute(path, error);
        if (!error) {
            path = absolute.string();
        }
    }
    return path;
}

} // namespace dashcam
