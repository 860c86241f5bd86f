#include "platform/linux/IniRegistryManager.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "text/AsciiCase.h"

namespace dashcam {
namespace {

// The file holds a handful of values; more than this is not a registry file.
constexpr std::streamsize kReadLimit = 1024 * 1024;

std::u16string TrimSeparators(std::u16string_view path) {
    while (!path.empty() && (path.back() == u'\\' || path.back() == u' ')) {
        path.remove_suffix(1);
    }
    while (!path.empty() && (path.front() == u'\\' || path.front() == u' ')) {
        path.remove_prefix(1);
    }
    return std::u16string(path);
}

std::u16string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

} // namespace

IniRegistryManager::IniRegistryManager(std::string filePath) {
    // Only a regular file is read: opening a pipe or a device in its place could block.
    std::error_code error;
    if (!std::filesystem::is_regular_file(filePath, error)) {
        return;
    }
    std::ifstream in(filePath, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    while (in && std::streamsize(bytes.size()) < kReadLimit) {
        in.read(buffer, sizeof buffer);
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    m_text.Parse(bytes.data(), bytes.size());
    m_sectionNames = m_text.SectionNames();
    for (const std::u16string& name : m_sectionNames) {
        m_keyPaths.push_back(TrimSeparators(name));
    }
}

std::string IniRegistryManager::DefaultFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config != nullptr && *config != '\0') {
        base = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr) {
        base = std::string(home) + "/.config";
    }
    return base + "/BREVANTIS/registry.ini";
}

const std::u16string* IniRegistryManager::PathOf(RegistryKey key) const {
    if (key <= 0 || std::size_t(key) > m_keyPaths.size()) {
        return nullptr;
    }
    return &m_keyPaths[std::size_t(key) - 1];
}

long IniRegistryManager::OpenKey(RegistryRoot root, const std::u16string& subKey,
                                 RegistryKey& key) {
    const std::u16string path = RootName(root) + u"\\" + TrimSeparators(subKey);
    for (std::size_t i = 0; i < m_keyPaths.size(); ++i) {
        if (EqualsIgnoringAsciiCase(m_keyPaths[i], path)) {
            key = RegistryKey(i + 1);
            return kRegistrySuccess;
        }
    }
    key = kNoRegistryKey;
    return kRegistryNotFound;
}

void IniRegistryManager::CloseKey(RegistryKey) {}

long IniRegistryManager::ListSubKeys(RegistryKey key, std::vector<std::u16string>& names) {
    const std::u16string* parent = PathOf(key);
    if (parent == nullptr) {
        return 0;
    }
    const std::size_t prefix = parent->size() + 1;
    for (const std::u16string& path : m_keyPaths) {
        if (path.size() > prefix && path[prefix - 1] == u'\\' &&
            EqualsIgnoringAsciiCase(std::u16string_view(path).substr(0, prefix - 1), *parent) &&
            path.find(u'\\', prefix) == std::u16string::npos) {
            names.push_back(path.substr(prefix));
        }
    }
    return 0;
}

long IniRegistryManager::ListValues(RegistryKey key, std::vector<std::u16string>& names) {
    if (PathOf(key) != nullptr) {
        const auto keys = m_text.KeyNames(m_sectionNames[std::size_t(key) - 1]);
        names.insert(names.end(), keys.begin(), keys.end());
    }
    return 0;
}

long IniRegistryManager::QueryValue(RegistryKey key, const std::u16string& valueName,
                                    std::vector<std::uint8_t>& data) {
    if (PathOf(key) == nullptr) {
        return kRegistryNotFound;
    }
    const auto [found, value] =
        m_text.GetString(m_sectionNames[std::size_t(key) - 1], valueName, u"");
    if (!found) {
        return kRegistryNotFound;
    }
    data.clear();
    for (char16_t c : value + u'\0') {
        data.push_back(std::uint8_t(c));
        data.push_back(std::uint8_t(c >> 8));
    }
    return kRegistrySuccess;
}

bool IniRegistryManager::ReadValue(RegistryRoot root, const std::u16string& subKey,
                                   const std::u16string& valueName, std::u16string& value,
                                   std::size_t maxBytes) {
    RegistryKey key = kNoRegistryKey;
    if (OpenKey(root, subKey, key) != kRegistrySuccess) {
        return false;
    }
    std::vector<std::uint8_t> data;
    const long status = QueryValue(key, valueName, data);
    CloseKey(key);
    if (status != kRegistrySuccess || data.size() > maxBytes) {
        return false;
    }
    value.clear();
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const char16_t c = char16_t(data[i] | data[i + 1] << 8);
        if (c == u'\0') {
            break;
        }
        value += c;
    }
    return true;
}

} // namespace dashcam
