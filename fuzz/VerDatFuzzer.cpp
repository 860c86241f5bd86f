// lang/ver.dat from a card: any bytes. The description holds only text that stands in the
// file, and every name shown in the language list belongs to the code whose index it stores.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFileAccess.h"
#include "settings/DeviceDescription.h"
#include "settings/LanguageCatalogue.h"
#include "text/AnsiCodePage.h"

using namespace dashcam;

namespace {

bool StandsIn(const std::u16string& text, const std::u16string& piece) {
    return text.find(piece) != std::u16string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFileAccess files;
    files.files["/card/lang/ver.dat"].assign(data, data + size);
    DeviceDescription description;
    LoadDeviceDescription(files, "/card/lang/ver.dat", description);

    const std::u16string text =
        Utf16FromAnsi(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::u16string* piece :
         {&description.version, &description.packName, &description.device}) {
        FUZZ_CHECK(StandsIn(text, *piece));
        FUZZ_CHECK(piece->find(u'\n') == std::u16string::npos);
    }
    for (const std::u16string& code : description.codes) {
        FUZZ_CHECK(!code.empty() && StandsIn(text, code));
        FUZZ_CHECK(code.find(u' ') == std::u16string::npos);
    }
    FUZZ_CHECK(description.names.size() == description.nameCodeIndex.size());
    FUZZ_CHECK(description.names.size() <= description.codes.size());
    for (std::size_t i = 0; i < description.names.size(); ++i) {
        const std::size_t code = description.nameCodeIndex[i];
        FUZZ_CHECK(code < description.codes.size());
        FUZZ_CHECK(i == 0 || code > description.nameCodeIndex[i - 1]);
        FUZZ_CHECK(!description.names[i].empty());
        FUZZ_CHECK(description.names[i] == LanguageCatalogue::NameOf(description.codes[code]));
    }
    return 0;
}
