#include "settings/DeviceDescription.h"

#include <algorithm>
#include <string_view>

#include "settings/LanguageCatalogue.h"
#include "text/AnsiCodePage.h"
#include "text/Trim.h"

namespace dashcam {
namespace {

// The camera writes a few short lines; anything beyond this is no device description.
constexpr std::size_t kReadLimit = 4 * 1024 * 1024;

// Splits at runs of the separator, skipping empty pieces, as a tokenizer does.
std::vector<std::u16string_view> Tokens(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == separator) {
            ++i;
        }
        const std::size_t end = std::min(text.find(separator, i), text.size());
        if (end > i) {
            tokens.push_back(text.substr(i, end - i));
        }
        i = end;
    }
    return tokens;
}

// The text between the first and the second colon (or the line's end), trimmed.
std::u16string_view ValueOf(std::u16string_view line) {
    const auto tokens = Tokens(line, u':');
    return tokens.size() >= 2 ? TrimAsciiSpace(tokens[1]) : std::u16string_view();
}

// A key counts only after the line's first character.
bool HasKey(std::u16string_view line, std::u16string_view key) {
    const std::size_t at = line.find(key);
    return at != std::u16string_view::npos && at > 0;
}

void ReadLine(std::u16string_view line, DeviceDescription& d, bool& codesRead) {
    const std::u16string_view value = ValueOf(line);
    if (HasKey(line, u"Ver")) {
        d.version = value;
    } else if (HasKey(line, u"Pack Name")) {
        d.packName = value;
    } else if (HasKey(line, u"Code")) {
        if (!codesRead) {
            for (std::u16string_view code : Tokens(value, u' ')) {
                d.codes.emplace_back(code);
            }
            codesRead = true;
        }
    } else if (HasKey(line, u"Device")) {
        d.device = value;
    }
}

} // namespace

void LoadDeviceDescription(IFileAccess& files, const std::string& path,
                           DeviceDescription& description) {
    const FileHead head = files.ReadHead(path, kReadLimit);
    if (!head.opened) {
        return;
    }
    const std::u16string text = Utf16FromAnsi(
        std::string_view(reinterpret_cast<const char*>(head.bytes.data()), head.bytes.size()));
    bool codesRead = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) {
            end = text.size();
        }
        std::u16string_view line(text.data() + start, end - start);
        if (!line.empty() && line.back() == u'\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            ReadLine(line, description, codesRead);
        }
        start = end + 1;
    }
    for (std::size_t i = 0; i < description.codes.size(); ++i) {
        const std::u16string_view name = LanguageCatalogue::NameOf(description.codes[i]);
        if (!name.empty()) {
            description.names.emplace_back(name);
            description.nameCodeIndex.push_back(i);
        }
    }
}

} // namespace dashcam
