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
    return path;
}

} // namespace dashcam
