#pragma once

#include <array>
#include <string_view>

namespace dashcam::test {

// Every text key the program shows somewhere.
inline constexpr std::array<std::u16string_view, 98> kShownKeys = {
    u"IDS_STRING101",  u"IDS_STRING102",  u"IDS_STRING104",  u"IDS_STRING105",  u"IDS_STRING106",
    u"IDS_STRING107",  u"IDS_STRING108",  u"IDS_STRING110",  u"IDS_STRING111",  u"IDS_STRING112",
    u"IDS_STRING113",  u"IDS_STRING115",  u"IDS_STRING116",  u"IDS_STRING117",  u"IDS_STRING119",
    u"IDS_STRING127",  u"IDS_STRING128",  u"IDS_STRING136",  u"IDS_STRING140",  u"IDS_STRING141",
    u"IDS_STRING142",  u"IDS_STRING143",  u"IDS_STRING144",  u"IDS_STRING145",  u"IDS_STRING147",
    u"IDS_STRING148",  u"IDS_STRING149",  u"IDS_STRING150",  u"IDS_STRING154",  u"IDS_STRING155",
    u"IDS_STRING156",  u"IDS_STRING157",  u"IDS_STRING158",  u"IDS_STRING159",  u"IDS_STRING160",
    u"IDS_STRING161",  u"IDS_STRING162",  u"IDS_STRING163",  u"IDS_STRING166",  u"IDS_STRING169",
    u"IDS_STRING170",  u"IDS_STRING171",  u"IDS_STRING172",  u"IDS_STRING173",  u"IDS_STRING174",
    u"IDS_STRING175",  u"IDS_STRING177",  u"IDS_STRING178",  u"IDS_STRING179",  u"IDS_STRING181",
    u"IDS_STRING185",  u"IDS_STRING190",  u"IDS_STRING191",  u"IDS_STRING192",  u"IDS_STRING193",
    u"IDS_STRING196",  u"IDS_STRING197",  u"IDS_STRING198",  u"IDS_STRING199",  u"IDS_STRING200",
    u"IDS_STRING201",  u"IDS_STRING202",  u"IDS_STRING203",  u"IDS_STRING213",  u"IDS_STRING215",
    u"IDS_STRING216",  u"IDS_STRING217",  u"IDS_STRING219",  u"IDS_STRING220",  u"IDS_STRING221",
    u"IDS_STRING222",  u"IDS_STRING227",  u"IDS_STRING228",  u"IDS_STRING229",  u"IDS_STRING232",
    u"IDS_STRING233",  u"IDS_STRING234",  u"IDS_STRING235",  u"IDS_STRING236",  u"IDS_STRING237",
    u"IDS_STRING238",  u"IDS_STRING239",  u"IDS_STRING240",  u"IDS_STRING242",  u"IDS_STRING243",
    u"IDS_STRING244",  u"IDS_STRING251",  u"IDS_STRING252",  u"IDS_STRING306",  u"IDS_STRING308",
    u"IDS_STRING309",  u"IDS_STRING310",  u"IDS_STRING311",  u"IDS_STRING1630", u"IDS_STRING1770",
    u"IDS_STRING1780", u"IDS_STRING1810", u"IDS_STRING2200",
};

inline constexpr std::array<std::u16string_view, 11> kPackNames = {
    u"english", u"french", u"spanish", u"korean",   u"chinesesimplified", u"chinesetraditional",
    u"russian", u"german", u"italian", u"japanese", u"portuguese"};

} // namespace dashcam::test
