#pragma once

#include <string>

#include "settings/SettingsRecord.h"

namespace dashcam {

// How the command line writes a field's value and the values it allows.
class FieldText {
public:
    // A number in decimal, or a text field's text in double quotes.
    static std::string Value(const SettingsRecord& record, const SettingsField& field);
    // A text field's text without quotes (UTF-8); empty for numeric fields.
    static std::string Text(const SettingsRecord& record, const SettingsField& field);
    // The allowed values from the field table: "0 to 2", "0, 1, 3 or 5", or "any text".
    static std::string Allowed(const SettingsField& field);
    // The allowed values and, where the field table says more, what they mean.
    static std::string AllowedAndMeaning(const SettingsField& field);
    // The bytes a text field may hold: a NUL-terminated field keeps room for its terminator.
    static std::size_t TextCapacity(const SettingsField& field);
};

} // namespace dashcam
