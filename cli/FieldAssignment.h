#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "settings/SettingsRecord.h"

namespace dashcam {

// One FIELD=VALUE argument of the command-line editor, checked against the field table.
struct FieldAssignment {
    const SettingsField* field = nullptr;
    std::variant<std::int64_t, std::string> value; // a number, or text bytes for text fields

    // Parses and checks an argument; on failure says why in error. A value outside the field's
    // allowed values, or a change of a device-owned value, is refused unless forced.
    static std::optional<FieldAssignment> Parse(std::string_view argument, std::string& error,
                                                bool force = false);
    // The same for a field name and its value text given apart.
    static std::optional<FieldAssignment> Make(std::string_view name, std::string_view text,
                                               std::string& error, bool force = false);
    void ApplyTo(SettingsRecord& record) const;
};

// A whole number in decimal or with a 0x prefix in hexadecimal, with an optional sign.
std::optional<std::int64_t> ParseInteger(std::string_view text);

} // namespace dashcam
