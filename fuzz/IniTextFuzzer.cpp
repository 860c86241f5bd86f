// The INI reader over any bytes, as 8-bit text and as UTF-16LE. Every key and value it hands
// out stands in the text it was given, a lookup finds exactly what the listing names (ignoring
// ASCII case), and a key it was not given is never found.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "platform/NullDebugOutput.h"
#include "text/AnsiCodePage.h"
#include "text/AsciiCase.h"
#include "text/CIniText.h"

using namespace dashcam;

namespace {

// The text as the reader sees it: up to the first NUL, without carriage returns.
std::u16string Decoded(const std::vector<std::uint8_t>& bytes) {
    std::u16string text;
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text += char16_t(bytes[i] | bytes[i + 1] << 8);
        }
    } else {
        const std::string narrow(bytes.begin(), bytes.end());
        text = Utf16FromAnsi(std::string_view(narrow.c_str()));
    }
    text = text.substr(0, text.find(u'\0'));
    std::erase(text, u'\r');
    return text;
}

std::u16string Upper(std::u16string s) {
    for (char16_t& c : s) {
        if (c >= u'a' && c <= u'z') {
            c = char16_t(c - u'a' + u'A');
        }
    }
    return s;
}

void Check(const std::vector<std::uint8_t>& bytes) {
    NullDebugOutput debug;
    CIniText ini(debug);
    if (!ini.Parse(bytes.data(), bytes.size())) {
        FUZZ_CHECK(ini.SectionNames().empty());
        return;
    }
    const std::u16string text = Decoded(bytes);
    const std::u16string missing = u"\u0001 no such key \u0001";
    for (const std::u16string& section : ini.SectionNames()) {
        FUZZ_CHECK(!section.empty() && text.find(section) != std::u16string::npos);
        for (const std::u16string& key : ini.KeyNames(section)) {
            FUZZ_CHECK(!key.empty() && text.find(key) != std::u16string::npos);
            const auto [found, value] = ini.GetString(section, key, missing);
            FUZZ_CHECK(found);
            FUZZ_CHECK(text.find(value) != std::u16string::npos);
            FUZZ_CHECK(value.find(u'\n') == std::u16string::npos);
            const auto folded = ini.GetString(Upper(section), Upper(key), missing);
            FUZZ_CHECK(folded.first && folded.second == value);
        }
        const auto absent = ini.GetString(section, missing, u"default");
        FUZZ_CHECK(!absent.first && absent.second == u"default");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    Check(bytes);
    // The same bytes behind a byte-order mark: the UTF-16 reading of the input.
    if (size < 2 || data[0] != 0xFF || data[1] != 0xFE) {
        std::vector<std::uint8_t> wide{0xFF, 0xFE};
        wide.insert(wide.end(), data, data + size);
        Check(wide);
    }
    return 0;
}
