#include "timezones/ExcludedZoneNames.h"

#include <algorithm>
#include <array>

#include "text/AsciiCase.h"

namespace dashcam {
namespace {

constexpr std::array<std::u16string_view, 17> kExcludedPrefixes = {
    u"Argentina", u"Armenian", u"Bahia",     u"Bangladesh", u"Jordan",      u"Kaliningrad",
    u"Kamchatka", u"Magadan",  u"Mauritius", u"Mexico",     u"Middle East", u"Montevideo",
    u"Morocco",   u"Syria",    u"Turkey",    u"UTC",        u"Venezuela"};

} // namespace

bool IsExcludedZoneName(std::u16string_view keyName) {
    return std::any_of(kExcludedPrefixes.begin(), kExcludedPrefixes.end(),
                       [keyName](std::u16string_view prefix) {
                           return keyName.size() >= prefix.size() &&
                                  EqualsIgnoringAsciiCase(keyName.substr(0, prefix.size()), prefix);
                       });
}

} // namespace dashcam
