#include "platform/linux/IniRegistryManager.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "text/Utf.h"

namespace dashcam {
namespace {

std::u16string Fold(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'a' && c <= u'z') {
            c = char16_t(c - u'a' + u'A');
        }
    }
    return text;
}

std::u16string TrimSeparators(std::u16string path) {
    while (!path.empty() && (path.back() == u'\\' || path.back() == u' ')) {
        path.pop_back();
    }
    while (!path.empty() && (path.front() == u'\\' || path.front() == u' ')) {
        path.erase(path.begin());
    }
    return path;
}

std::u16string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? u"HKEY_LOCAL_MACHINE" : u"HKEY_CURRENT_USER";
}

std::string Trim(const std::string& s) {
    const auto begin = s.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos) {
        return {};
    }
    return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

} // namespace

IniRegistryManager::IniRegistryManager(std::string filePath) : m_filePath(std::move(filePath)) {
    Load();
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

void IniRegistryManager::Load() {
    std::ifstream in(m_filePath);
    std::string line;
    Key* current = nullptr;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            const std::u16string path =
                TrimSeparators(Utf16FromUtf8(line.substr(1, line.size() - 2)));
            current = &m_keys[Fold(path)];
            current->path = path;
            continue;
        }
        const auto equals = line.find('=');
        if (current == nullptr || equals == std::string::npos) {
            continue;
        }
        std::string value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
            value = value.substr(1, value.size() - 2);
        }
        current->values[Fold(Utf16FromUtf8(Trim(line.substr(0, equals))))] = Utf16FromUtf8(value);
    }
}

const IniRegistryManager::Key* IniRegistryManager::KeyOf(RegistryKey key) const {
    return reinterpret_cast<const Key*>(key);
}

long IniRegistryManager::OpenKey(RegistryRoot root, const std::u16string& subKey,
                                 RegistryKey& key) {
    const auto found = m_keys.find(Fold(RootName(root) + u"\\" + TrimSeparators(subKey)));
    if (found == m_keys.end()) {
        key = kNoRegistryKey;
        return kRegistryNotFound;
    }
    key = reinterpret_cast<RegistryKey>(&found->second);
    return kRegistrySuccess;
}

void IniRegistryManager::CloseKey(RegistryKey) {}

long IniRegistryManager::ListSubKeys(RegistryKey key, std::vector<std::u16string>& names) {
    const Key* parent = KeyOf(key);
    if (parent == nullptr) {
        return 0;
    }
    const std::u16string prefix = Fold(parent->path) + u"\\";
    for (const auto& [folded, child] : m_keys) {
        if (folded.size() > prefix.size() && folded.compare(0, prefix.size(), prefix) == 0 &&
            folded.find(u'\\', prefix.size()) == std::u16string::npos) {
            names.push_back(child.path.substr(prefix.size()));
        }
    }
    return 0;
}

long IniRegistryManager::ListValues(RegistryKey key, std::vector<std::u16string>& names) {
    if (const Key* k = KeyOf(key); k != nullptr) {
        for (const auto& entry : k->values) {
            names.push_back(entry.first);
        }
    }
    return 0;
}

long IniRegistryManager::QueryValue(RegistryKey key, const std::u16string& valueName,
                                    std::vector<std::uint8_t>& data) {
    const Key* k = KeyOf(key);
    if (k == nullptr) {
        return kRegistryNotFound;
    }
    const auto found = k->values.find(Fold(valueName));
    if (found == k->values.end()) {
        return kRegistryNotFound;
    }
    data.clear();
    for (char16_t c : found->second + u'\0') {
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
