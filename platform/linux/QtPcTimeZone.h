#pragma once

#include "platform/PcTimeZone.h"

namespace dashcam {

// The PC's zone from the system's time-zone database (honouring TZ), named by its catalogue id.
class QtPcTimeZone : public IPcTimeZone {
public:
    TimeZoneInformation GetTimeZoneInformation() override;
};

} // namespace dashcam
