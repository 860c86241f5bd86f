#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/TimeZoneSource.h"
#include "platform/linux/WindowsZonePlacement.h"

namespace dashcam {

// The zone catalogue built from the system's time-zone database: one sub-key per Windows zone
// id, in id order, so the names stored in the settings record are the ones the camera and the
// PCs it is used with know. "Std" is the id, "TZI" the Windows biases its main zone has today
// (no change dates), "Display" the standard offset and the places the entry lists: each zone,
// and each place linked to it, under the entry whose rules it has today (see
// WindowsZonePlacement). The catalogue is read from the database on first use.
class QtTimeZoneSource : public ITimeZoneSource {
public:
    std::vector<std::u16string> SubKeyNames() override;
    bool ValueNames(const std::u16string& subKey, std::vector<std::u16string>& names) override;
    bool QueryValue(const std::u16string& subKey, const std::u16string& valueName,
                    std::vector<std::uint8_t>& data) override;

    // Which entry lists each zone, made on first use. The PC's zone is named through the same
    // placement, so the database is read once a run.
    WindowsZonePlacement& Placement();

private:
    // A sub-key's values, in the order they are listed.
    using Values = std::vector<std::pair<std::u16string, std::vector<std::uint8_t>>>;

    const std::map<std::u16string, Values>& Catalogue();

    std::optional<WindowsZonePlacement> m_placement;
    std::optional<std::map<std::u16string, Values>> m_catalogue;
};

} // namespace dashcam
