#include "cli/Profile.h"

#include <algorithm>
#include <istream>

#include "cli/FieldText.h"
#include "platform/NullDebugOutput.h"
#include "text/AsciiCase.h"
#include "text/CIniText.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

constexpr std::u16string_view kSection = u"settings";
// A profile is a few kilobytes; anything far larger is no profile.
constexpr std::size_t kProfileReadLimit = 1024 * 1024;

// Lines before any section header belong to the settings too: the text is read as if it began
// with the header, in its own encoding.
std::vector<std::uint8_t> WithSettingsHeader(std::span<const std::uint8_t> bytes) {
    const std::string header = "[settings]\n";
    std::vector<std::uint8_t> text;
    const bool utf16 = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    if (utf16) {
        text = {0xFF, 0xFE};
        for (char c : header) {
            text.push_back(static_cast<std::uint8_t>(c));
            text.push_back(0);
        }
        bytes = bytes.subspan(2);
    } else {
        text.assign(header.begin(), header.end());
    }
    text.insert(text.end(), bytes.begin(), bytes.end());
    return text;
}

// The quote a text value is written in: one that the text does not hold.
char QuoteFor(const std::string& text) {
    return text.find('"') == std::string::npos ? '"' : '\'';
}

} // namespace

std::string Profile::Export(const SettingsRecord& record) {
    std::string text = "; Dash camera settings profile, written by dashcam-cfg export.\n"
                       "; Only the fields named here change: dashcam-cfg apply PROFILE CARD...\n"
                       "[settings]\n";
    for (const SettingsField& field : kSettingsFields) {
        if (field.role != FieldRole::UserSetting) {
            continue;
        }
        text += "\n; " + std::string(field.meaning) +
                "; allowed: " + FieldText::AllowedAndMeaning(field) + "\n";
        if (field.kind != FieldKind::Text &&
            !field.allowed.Allows(static_cast<std::int32_t>(record.GetNumber(field)))) {
            // A value the card holds but no camera menu offers is not carried to other cards.
            text += "; " + std::string(field.name) + " = " +
                    std::to_string(record.GetNumber(field)) +
                    " is not an allowed value; left out\n";
            continue;
        }
        text += std::string(field.name) + " = ";
        if (field.kind == FieldKind::Text) {
            const std::string value = record.GetText(field.offset, field.width);
            text += QuoteFor(value) + value + QuoteFor(value);
        } else {
            text += std::to_string(record.GetNumber(field));
        }
        text += '\n';
    }
    return text;
}

std::optional<Profile> Profile::Parse(std::span<const std::uint8_t> bytes, std::string& error,
                                      bool force) {
    NullDebugOutput quiet;
    CIniText ini(quiet);
    const std::vector<std::uint8_t> text = WithSettingsHeader(bytes);
    ini.Parse(text.data(), text.size());
    for (const std::u16string& section : ini.SectionNames()) {
        if (!EqualsIgnoringAsciiCase(section, kSection)) {
            error = "unknown section [" + Utf8FromUtf16(section) + "]; a profile has [settings]";
            return std::nullopt;
        }
    }
    std::vector<std::u16string> keys = ini.KeyNames(kSection);
    std::sort(keys.begin(), keys.end());
    Profile profile;
    for (const std::u16string& key : keys) {
        const std::string name = Utf8FromUtf16(key);
        const SettingsField* field = FindSettingsField(name);
        if (field != nullptr && field->role != FieldRole::UserSetting) {
            error = name + " is the camera's or the record's own, not a user setting";
            return std::nullopt;
        }
        const std::string value = Utf8FromUtf16(ini.GetString(kSection, key, u"").second);
        std::optional<FieldAssignment> assignment =
            FieldAssignment::Make(name, value, error, force);
        if (!assignment) {
            return std::nullopt;
        }
        profile.m_assignments.push_back(*assignment);
    }
    if (profile.m_assignments.empty()) {
        error = "the profile names no field";
        return std::nullopt;
    }
    return profile;
}

std::optional<Profile> Profile::Read(IFileAccess& files, const std::string& path,
                                     std::string& error, bool force) {
    const FileHead head = files.ReadHead(path, kProfileReadLimit);
    if (!head.opened) {
        error = "cannot read the profile (" + head.error + ")";
        return std::nullopt;
    }
    if (head.length > kProfileReadLimit) {
        error = "too large for a profile";
        return std::nullopt;
    }
    return Parse(head.bytes, error, force);
}

std::optional<Profile> Profile::Read(std::istream& in, std::string& error, bool force) {
    std::vector<std::uint8_t> bytes;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kProfileReadLimit) {
            error = "too large for a profile";
            return std::nullopt;
        }
    }
    if (in.bad()) {
        error = "cannot read the profile";
        return std::nullopt;
    }
    return Parse(bytes, error, force);
}

void Profile::ApplyTo(SettingsRecord& record) const {
    for (const FieldAssignment& assignment : m_assignments) {
        assignment.ApplyTo(record);
    }
}

} // namespace dashcam
