#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace dashcam {

enum class RegistryRoot { LocalMachine, CurrentUser };

using RegistryKey = std::intptr_t;
inline constexpr RegistryKey kNoRegistryKey = 0;
inline constexpr long kRegistrySuccess = 0;
inline constexpr long kRegistryNotFound = 2;

// A thin reader over the platform's registry (or what stands for it). Status results are the
// platform's codes: kRegistrySuccess when the call worked.
class CRegistryManager {
public:
    virtual ~CRegistryManager() = default;

    virtual long OpenKey(RegistryRoot root, const std::u16string& subKey, RegistryKey& key) = 0;
    virtual void CloseKey(RegistryKey key) = 0;
    // Appends the name of every sub-key that could be read; always returns 0.
    virtual long ListSubKeys(RegistryKey key, std::vector<std::u16string>& names) = 0;
    // Appends the name of every value that could be read; always returns 0.
    virtual long ListValues(RegistryKey key, std::vector<std::u16string>& names) = 0;
    // Reads a value's raw bytes (text values as UTF-16LE with a terminating NUL).
    virtual long QueryValue(RegistryKey key, const std::u16string& valueName,
                            std::vector<std::uint8_t>& data) = 0;
    // Reads a text value of at most maxBytes bytes (terminator included); true when it was read.
    virtual bool ReadValue(RegistryRoot root, const std::u16string& subKey,
                           const std::u16string& valueName, std::u16string& value,
                           std::size_t maxBytes) = 0;
};

} // namespace dashcam
