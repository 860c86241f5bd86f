#pragma once

#include "platform/PcTimeZone.h"

namespace dashcam::test {

// A PC zone the test sets: bias in the platform's sign (UTC+9 is -540).
class FakePcTimeZone : public IPcTimeZone {
public:
    explicit FakePcTimeZone(int bias = 0) { info.Bias = bias; }
    TimeZoneInformation GetTimeZoneInformation() override { return info; }
    TimeZoneInformation info;
};

} // namespace dashcam::test
