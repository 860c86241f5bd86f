#include "settings/SettingsDiagnostics.h"

#include <initializer_list>
#include <string_view>

#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

// Replaces each "%d" of the format, in order, by the next signed 32-bit word of the record.
std::u16string Format(const SettingsRecord& record, std::string_view format,
                      std::initializer_list<std::uint32_t> offsets) {
    std::string out;
    auto next = offsets.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format.compare(i, 2, "%d") == 0 && next != offsets.end()) {
            out += std::to_string(record.GetI32(*next++));
            ++i;
        } else {
            out += format[i];
        }
    }
    return Utf16FromAscii(out);
}

std::u16string Rule(std::string_view head, int hyphens) {
    return Utf16FromAscii(std::string(head) + std::string(hyphens, '-') + "\n");
}

std::u16string Number(std::int64_t value) {
    return Utf16FromAscii(std::to_string(value));
}

std::u16string Summary(const SettingsRecord& record, std::u16string_view head,
                       std::u16string_view versionLabel, std::u16string_view sizeLabel,
                       std::uint32_t size, std::u16string_view tail) {
    const std::uint32_t version = record.GetU32(OffsetOf("config_version"));
    std::u16string line(head);
    line += SettingsDiagnostics::ProductName(record);
    line += versionLabel;
    line += Number(version >> 16) + u"." + Number(version & 0xFFFF);
    line += u"], CheckSum:[" + Number(record.GetI32(OffsetOf("record_size")));
    line += sizeLabel;
    line += Number(static_cast<std::int32_t>(size));
    line += tail;
    return line;
}

} // namespace

std::u16string SettingsDiagnostics::ProductName(const SettingsRecord& record) {
    const SettingsField& name = Field("product_name");
    return Utf16FromAnsi(record.GetText(name.offset, name.width));
}

std::u16string SettingsDiagnostics::LoadSummary(const SettingsRecord& record,
                                                std::uint32_t fileLength) {
    return Summary(record, u"Read Product:[", u"], Config Ver.:[", u"], Read Size:[", fileLength,
                   u"]\n");
}

std::u16string SettingsDiagnostics::SaveSummary(const SettingsRecord& record,
                                                std::uint32_t writtenSize) {
    return Summary(record, u"Write Product:[", u"]  Config Ver.:[", u"], Written Size [",
                   writtenSize, u"] \n");
}

std::vector<std::u16string> SettingsDiagnostics::FieldDump(const SettingsRecord& r) {
    return {
        Rule("Common ", 65),
        Format(r, "Front Camera Brightness  [0~2] = %d\n", {64}),
        Format(r, "Voice recording Enable [0/1] = %d\n", {100}),
        Format(r, "Voice guguidence Volume [1~6] = %d\n", {112}),
        Format(r, "Safe Helper Voice (Domestic only) Enable [0/1] = %d\n", {116}),
        Format(r, "LCD off  [0/1/2] = %d\n", {424}),
        Format(r, "WDR  [0/1] = %d\n", {436}),
        Rule("Continous  ", 63),
        Format(r, "Front Camera Resolution [1~3] = %d\n", {52}),
        Format(r, "Rear Camera Resolution [1~3] = %d\n", {76}),
        Format(r, "Impact Sensitivity [1~10] = %d\n", {120}),
        Format(r, "LDWS [0/1] = %d\n", {440}),
        Rule("Surveillance ", 63),
        Format(r, "Surveillance Enable [0/1] = %d\n", {180}),
        Format(r, "Impact Sensitivity [1~10] = %d\n", {176}),
        Format(r, "Motion Detect  Enabe[0/1] = %d, Sensitivity [1,3,5] = %d\n", {184, 196}),
        Format(r, " Timer setting for stop recording   [1~48] = %d \n", {200}),
        Format(r,
               " Voltage setting for stop recording   [11.6(0) ~12.3(7)] = %d, [23.2(0) "
               "~24.6(7)] = %d \n",
               {204, 208}),
        Format(r, " Bettary auto setting value   [0/1] = %d\n", {432}),
        Rule("Additional ", 65),
        Format(r, "Event Recording [0/1] = %d\n", {132}),
        Format(r, "Motion Detecton [0/1] = %d\n", {136}),
        Format(r, "Event Recording(park) [0/1] = %d\n", {140}),
        Format(r, "Manual Recording [0/1] = %d\n", {144}),
        Format(r, "Security LED [0~3] = %d\n", {216}),
        Format(r, "Memory Partition [1~3] = %d\n", {212}),
        Rule("", 77),
    };
}

} // namespace dashcam
