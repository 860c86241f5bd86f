#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/FieldAssignment.h"
#include "platform/FileAccess.h"

namespace dashcam {

// A settings profile: a card's user settings as INI text, one "field = value" line each, to
// carry to other cards. Device-owned, derived and identity fields are never in it, so a card
// that takes a profile keeps its own.
class Profile {
public:
    // The profile of every user setting of the record, each line after a comment naming the
    // setting and its allowed values. A value outside the allowed values is left out, in a
    // comment saying so.
    static std::string Export(const SettingsRecord& record);
    // Reads a profile; refuses it whole, saying why in error, for an unknown field, a field that
    // is no user setting, or a value outside the field's allowed values (unless forced). Text is
    // 8-bit (Windows-1252) or UTF-16LE with a byte-order mark.
    static std::optional<Profile> Parse(std::span<const std::uint8_t> bytes, std::string& error,
                                        bool force = false);

    // Parse of a profile file.
    static std::optional<Profile> Read(IFileAccess& files, const std::string& path,
                                       std::string& error, bool force = false);
    // Parse of a profile read to its end from a stream (standard input).
    static std::optional<Profile> Read(std::istream& in, std::string& error, bool force = false);

    const std::vector<FieldAssignment>& Assignments() const { return m_assignments; }
    void ApplyTo(SettingsRecord& record) const;

private:
    std::vector<FieldAssignment> m_assignments;
};

} // namespace dashcam
