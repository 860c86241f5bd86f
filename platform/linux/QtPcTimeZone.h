#pragma once

#include <optional>

#include "platform/PcTimeZone.h"
#include "platform/linux/WindowsZonePlacement.h"

namespace dashcam {

// The PC's zone from the system's time-zone database (honouring TZ), named by the Windows zone
// id of the catalogue entry that lists it.
class QtPcTimeZone : public IPcTimeZone {
public:
    TimeZoneInformation GetTimeZoneInformation() override;

private:
    std::optional<WindowsZonePlacement> m_placement; // made on first use
};

} // namespace dashcam
