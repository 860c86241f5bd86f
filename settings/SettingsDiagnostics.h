#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/SettingsRecord.h"

namespace dashcam {

// The fixed diagnostic lines that describe a loaded or saved settings record.
class SettingsDiagnostics {
public:
    static std::u16string LoadSummary(const SettingsRecord& record, std::uint32_t fileLength);
    static std::u16string SaveSummary(const SettingsRecord& record, std::uint32_t writtenSize);
    static std::vector<std::u16string> FieldDump(const SettingsRecord& record);
    // The product name as text, ending at its first NUL or after its 16 bytes.
    static std::u16string ProductName(const SettingsRecord& record);
};

} // namespace dashcam
