// The command-line editor's arguments: any words, one per line of the input; the word CARD
// stands for a real card folder. Whatever the words, the exit status is one of the three, only
// a set that got past its checks writes setup.cfg, and what it writes changes exactly the fields
// it names (and the derived warning flag) to exactly the values given.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/DashcamCfg.h"
#include "cli/FieldAssignment.h"
#include "fuzz/FuzzCheck.h"
#include "fuzz/MemoryFileAccess.h"
#include "platform/NullDebugOutput.h"
#include "platform/linux/LinuxPlatform.h"
#include "settings/SettingsFields.h"

using namespace dashcam;

namespace {

struct Card {
    Card() {
        folder = (std::filesystem::temp_directory_path() / "dashcam-cli-fuzz-card").string();
        std::filesystem::create_directories(folder);
        folder += "/";
        // A record as a camera writes it: the size word first, every other byte varied.
        setup.resize(SettingsRecord::kSize);
        for (std::size_t i = 0; i < setup.size(); ++i) {
            setup[i] = static_cast<std::uint8_t>(i * 7 + 1);
        }
        setup[0] = 0x20;
        setup[1] = 0x02;
        setup[2] = setup[3] = 0;
    }
    std::string folder;
    std::vector<std::uint8_t> setup;
    LinuxPlatform platform;
};

std::vector<std::string> Words(const std::uint8_t* data, std::size_t size, const Card& card) {
    std::vector<std::string> words;
    std::string word;
    const auto finish = [&] {
        words.push_back(word == "CARD" ? card.folder : word);
        word.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            finish();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    finish();
    return words;
}

// The last value given to each field by a set's assignments: its operands with '='.
std::map<const SettingsField*, FieldAssignment> Assigned(const CommandLine& line) {
    std::map<const SettingsField*, FieldAssignment> assigned;
    for (const std::string& operand : line.operands) {
        if (operand.find('=') == std::string::npos) {
            continue;
        }
        std::string error;
        const auto change = FieldAssignment::Parse(operand, error, line.force);
        FUZZ_CHECK(change.has_value());
        assigned.insert_or_assign(change->field, *change);
    }
    return assigned;
}

void CheckSet(const CommandLine& line, const std::vector<std::uint8_t>& before,
              const std::vector<std::uint8_t>& after) {
    const auto assigned = Assigned(line);
    SettingsRecord expected;
    std::copy(before.begin(), before.end(), expected.Bytes().begin());
    for (const auto& [field, change] : assigned) {
        change.ApplyTo(expected);
    }
    const std::size_t written = std::min<std::size_t>(expected.GetU32(0), SettingsRecord::kSize);
    const std::size_t flag = OffsetOf("ldws");
    FUZZ_CHECK(after.size() == before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i < written) {
            FUZZ_CHECK(after[i] == expected.Bytes()[i] || (i >= flag && i < flag + 4));
        } else {
            FUZZ_CHECK(after[i] == before[i]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Card card;
    fuzz::MemoryFileAccess files;
    files.files[card.folder + "setup.cfg"] = card.setup;
    NullDebugOutput quiet;
    PlatformServices& real = card.platform.Services();
    PlatformServices services{quiet,        files,          real.pcTimeZone,
                              real.volumes, real.registry,  real.program,
                              real.viewer,  real.timeZones, real.formatter};
    std::ostringstream out, err;
    const std::vector<std::string> words = Words(data, size, card);
    std::istringstream in;
    const int status = DashcamCfg(services, in, out, err).Run(words);

    FUZZ_CHECK(status == DashcamCfg::kOk || status == DashcamCfg::kFailed ||
               status == DashcamCfg::kUsage);
    FUZZ_CHECK(status == DashcamCfg::kOk || !err.str().empty());
    const std::vector<std::uint8_t>& after = files.files[card.folder + "setup.cfg"];
    // A set over several cards fails when one of them fails, after writing the others.
    const bool wrote = after != card.setup;
    std::string error;
    const std::optional<CommandLine> line = CommandLine::Parse(words, error);
    const bool set = line && line->command == "set" && !line->help && !line->version;
    if (set && (status == DashcamCfg::kOk || (status == DashcamCfg::kFailed && wrote))) {
        CheckSet(*line, card.setup, after);
    } else {
        FUZZ_CHECK(!wrote);
    }
    return 0;
}
