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

    // Parses and checks an argument; on failure says why in error.
    static std::optional<FieldAssignment> Parse(std::string_view argument, std::string& error);
    void ApplyTo(SettingsRecord& record) const;
};

// A whole number in decimal or with a 0x prefix in hexadecimal, with an optional sign.
std::optional<std::int64_t> ParseInteger(std::string_view text);

} // namespace dashcam
