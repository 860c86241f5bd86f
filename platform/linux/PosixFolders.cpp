// The folder services of PosixFileAccess.
#include "platform/linux/PosixFileAccess.h"

#include <filesystem>
#include <system_error>

namespace dashcam {
namespace {

// True when the call left no error code; otherwise the error's text goes to error.
bool Succeeded(const std::error_code& code, std::string& error) {
    if (code) {
        error = code.message();
    }
    return !code;
}

} // namespace

bool PosixFileAccess::MakeFolders(const std::string& path, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(path, code);
    return Succeeded(code, error);
}

bool PosixFileAccess::MakeNewFolder(const std::string& path, std::string& error) {
    std::error_code code;
    if (!std::filesystem::create_directory(path, code) && !code) {
        error = "the path is taken";
        return false;
    }
    return Succeeded(code, error);
}

bool PosixFileAccess::RemoveFolder(const std::string& path, std::string& error) {
    std::error_code code;
    // remove_all deletes a link inside the folder, never what it points to.
    std::filesystem::remove_all(path, code);
    return Succeeded(code, error);
}

std::string PosixFileAccess::ResolvedPath(const std::string& path) {
    std::error_code code;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, code);
    return code ? std::string() : resolved.string();
}

} // namespace dashcam
