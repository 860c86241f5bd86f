// time.dat from a card: any bytes. A read either fails with the request cleared, or gives a
// request that writes a line which reads back to the same date and time.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFileAccess.h"
#include "settings/ClockFile.h"
#include "tests/support/FakePcTimeZone.h"

using namespace dashcam;

namespace {

bool SameTime(const SystemTime& a, const SystemTime& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFileAccess files;
    // The first bytes choose the PC's zone, so the offset's sign and size vary too.
    std::int32_t bias = 0;
    if (size >= 2) {
        bias = static_cast<std::int16_t>(data[0] | data[1] << 8);
        data += 2;
        size -= 2;
    }
    test::FakePcTimeZone zone(bias);
    ClockFile clock(files, zone);
    files.files["/card/time.dat"].assign(data, data + size);

    ClockRequest request;
    request.flag = 1;
    const bool read = clock.ReadClockFile("/card/time.dat", request);
    FUZZ_CHECK(request.flag == (read ? 1u : 0u));
    if (!read) {
        FUZZ_CHECK(size == 0);
        return 0;
    }
    FUZZ_CHECK(clock.WriteClockFile("/card/time.dat", request));
    const std::vector<std::uint8_t>& line = files.files["/card/time.dat"];
    FUZZ_CHECK(!line.empty() && line.size() < 64);
    ClockRequest again;
    FUZZ_CHECK(clock.ReadClockFile("/card/time.dat", again));
    FUZZ_CHECK(SameTime(again.time, request.time));

    request.flag = 0;
    FUZZ_CHECK(clock.WriteClockFile("/card/time.dat", request));
    FUZZ_CHECK(files.files.count("/card/time.dat") == 0);
    return 0;
}
