#pragma once

#include <map>
#include <string>

#include "platform/RegistryManager.h"

namespace dashcam {

// Stands in for the registry on Linux: an INI file whose section names are full key paths such
// as "HKEY_LOCAL_MACHINE\SOFTWARE\BREVANTIS" and whose entries are the keys' text values.
// By default the file is $XDG_CONFIG_HOME/BREVANTIS/registry.ini (~/.config when unset).
class IniRegistryManager : public CRegistryManager {
public:
    explicit IniRegistryManager(std::string filePath = DefaultFilePath());
    static std::string DefaultFilePath();

    long OpenKey(RegistryRoot root, const std::u16string& subKey, RegistryKey& key) override;
    void CloseKey(RegistryKey key) override;
    long ListSubKeys(RegistryKey key, std::vector<std::u16string>& names) override;
    long ListValues(RegistryKey key, std::vector<std::u16string>& names) override;
    long QueryValue(RegistryKey key, const std::u16string& valueName,
                    std::vector<std::uint8_t>& data) override;
    bool ReadValue(RegistryRoot root, const std::u16string& subKey, const std::u16string& valueName,
                   std::u16string& value, std::size_t maxBytes) override;

private:
    struct Key {
        std::u16string path;                             // as written in the file
        std::map<std::u16string, std::u16string> values; // names folded to upper case
    };
    void Load();
    const Key* KeyOf(RegistryKey key) const;

    std::string m_filePath;
    std::map<std::u16string, Key> m_keys; // by folded full path
};

} // namespace dashcam
