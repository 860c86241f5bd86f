// setup.cfg and default.cfg from a card: any bytes at all. A load keeps exactly the file's first
// 544 bytes (zero-padded), a save of the unchanged record gives the file back unchanged except
// the derived warning flag, and a restore of the defaults keeps the device-owned values.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFileAccess.h"
#include "platform/NullDebugOutput.h"
#include "settings/SettingsFields.h"
#include "settings/SettingsStore.h"
#include "tests/support/ScriptedPrompt.h"

using namespace dashcam;

namespace {

constexpr std::size_t kSize = SettingsRecord::kSize;

bool InDerivedFlag(std::size_t i) {
    return i >= OffsetOf("ldws") && i < OffsetOf("ldws") + 4;
}

void CheckLoadAndSave(const std::vector<std::uint8_t>& file) {
    NullDebugOutput debug;
    fuzz::MemoryFileAccess files;
    test::ScriptedPrompt prompt; // answers No, shows nothing
    SettingsStore store(debug, files, prompt);
    files.files["/card/setup.cfg"] = file;

    FUZZ_CHECK(store.LoadSettingsFile("/card/setup.cfg"));
    const auto record = store.Current().Bytes();
    FUZZ_CHECK(record.size() == kSize);
    for (std::size_t i = 0; i < kSize; ++i) {
        FUZZ_CHECK(record[i] == (i < file.size() ? file[i] : 0));
    }

    FUZZ_CHECK(store.SaveSettingsFile("/card/setup.cfg"));
    const std::vector<std::uint8_t>& saved = files.files["/card/setup.cfg"];
    const std::size_t written = std::min<std::size_t>(store.Current().GetU32(0), kSize);
    FUZZ_CHECK(saved.size() == std::max(file.size(), written));
    for (std::size_t i = 0; i < saved.size(); ++i) {
        const std::uint8_t before = i < file.size() ? file[i] : 0;
        FUZZ_CHECK(saved[i] == before || (i < written && InDerivedFlag(i)));
    }
    FUZZ_CHECK(store.Current().GetU32(OffsetOf("ldws")) <= 1);
    // Only the derived flag can differ from the file past the written bytes; the store must say
    // so exactly then.
    bool flagLeftOut = false;
    for (std::size_t i = written; i < kSize; ++i) {
        const std::uint8_t onCard = i < file.size() ? file[i] : 0;
        flagLeftOut = flagLeftOut || (InDerivedFlag(i) && store.Current().Bytes()[i] != onCard);
    }
    FUZZ_CHECK(store.LastSaveLeftChangesOut() == flagLeftOut);
    FUZZ_CHECK(store.LastWrittenSize() == written);
}

void CheckRestoreDefaults(const std::vector<std::uint8_t>& setup,
                          const std::vector<std::uint8_t>& defaults) {
    NullDebugOutput debug;
    fuzz::MemoryFileAccess files;
    test::ScriptedPrompt prompt; // answers No, shows nothing
    SettingsStore store(debug, files, prompt);
    files.files["/card/setup.cfg"] = setup;
    files.files["/card/default.cfg"] = defaults;
    FUZZ_CHECK(store.LoadSettingsFile("/card/setup.cfg"));
    const std::vector<std::uint8_t> before(store.Current().Bytes().begin(),
                                           store.Current().Bytes().end());
    store.RestoreDefaultSettings("/card/default.cfg");
    const auto after = store.Current().Bytes();
    static const std::vector<bool> kept = [] {
        std::vector<bool> owned(kSize);
        for (const char* name : {"preserved_40", "preserved_44", "preserved_48", "preserved_224"}) {
            const SettingsField* field = FindSettingsField(name);
            std::fill_n(owned.begin() + field->offset, field->width, true);
        }
        return owned;
    }();
    for (std::size_t i = 0; i < kSize; ++i) {
        const std::uint8_t fromDefaults = i < defaults.size() ? defaults[i] : 0;
        FUZZ_CHECK(after[i] == (kept[i] ? before[i] : fromDefaults));
    }
    FUZZ_CHECK(prompt.messages.empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file(data, data + size);
    CheckLoadAndSave(file);
    // The first half as setup.cfg, the rest as default.cfg.
    const std::vector<std::uint8_t> setup(data, data + size / 2);
    const std::vector<std::uint8_t> defaults(data + size / 2, data + size);
    CheckRestoreDefaults(setup, defaults);
    return 0;
}
