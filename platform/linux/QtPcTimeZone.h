#pragma once

#include <optional>

#include "platform/PcTimeZone.h"
#include "platform/linux/QtTimeZoneSource.h"
#include "platform/linux/WindowsZonePlacement.h"

namespace dashcam {

// The PC's zone from the system's time-zone database (honouring TZ), named by the Windows zone
// id of the catalogue entry that lists it.
class QtPcTimeZone : public IPcTimeZone {
public:
    QtPcTimeZone() = default;
    // Names the zone through the catalogue's own placement instead of reading the database
    // a second time.
    explicit QtPcTimeZone(QtTimeZoneSource& catalogue) : m_catalogue(&catalogue) {}

    TimeZoneInformation GetTimeZoneInformation() override;

private:
    WindowsZonePlacement& Placement();

    QtTimeZoneSource* m_catalogue = nullptr;
    std::optional<WindowsZonePlacement> m_placement; // made on first use, without a catalogue
};

} // namespace dashcam
