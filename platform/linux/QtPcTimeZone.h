#pragma once

#include <optional>

#include "platform/PcTimeZone.h"
#include "platform/linux/ZoneNameLinks.h"

namespace dashcam {

// The PC's zone from the system's time-zone database (honouring TZ), named by its Windows zone
// id as the zone catalogue names it.
class QtPcTimeZone : public IPcTimeZone {
public:
    TimeZoneInformation GetTimeZoneInformation() override;

private:
    std::optional<ZoneNameLinks> m_links; // read on first use
};

} // namespace dashcam
