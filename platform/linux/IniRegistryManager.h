#pragma once

#include <memory>
#include <string>

#include "platform/NullDebugOutput.h"
#include "platform/RegistryManager.h"
#include "text/CIniText.h"

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
    // A key handle is 1 + the index of its path in m_keyPaths.
    const std::u16string* PathOf(RegistryKey key) const;

    NullDebugOutput m_quiet;
    CIniText m_text{m_quiet};
    std::vector<std::u16string> m_keyPaths;     // section names as written, separators trimmed
    std::vector<std::u16string> m_sectionNames; // the same, as CIniText knows them
};

} // namespace dashcam
