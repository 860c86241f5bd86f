#include "cli/FieldAssignment.h"

#include <charconv>

#include "cli/FieldText.h"
#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

struct Range {
    std::int64_t low;
    std::int64_t high;
};

Range RangeOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::UInt32:
        return {0, 0xFFFFFFFFLL};
    case FieldKind::UInt16:
        return {0, 0xFFFF};
    case FieldKind::Int32:
    case FieldKind::Text:
        break;
    }
    return {-0x80000000LL, 0x7FFFFFFFLL};
}

// The field table's rule for the value; a forced value only has to fit the field's bytes.
bool CheckRule(const SettingsField& field, std::int64_t value, bool force, std::string& error) {
    if (force || field.allowed.Allows(static_cast<std::int32_t>(value))) {
        return true;
    }
    error = std::string(field.name) + ": " + std::to_string(value) +
            " is not allowed; allowed: " + FieldText::AllowedAndMeaning(field) +
            "; --force writes it anyway";
    return false;
}

} // namespace

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (error != std::errc() || end != text.data() + text.size() || magnitude > (1ULL << 40)) {
        return std::nullopt;
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

std::optional<FieldAssignment> FieldAssignment::Parse(std::string_view argument, std::string& error,
                                                      bool force) {
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos) {
        error = "expected FIELD=VALUE, got '" + std::string(argument) + "'";
        return std::nullopt;
    }
    return Make(argument.substr(0, equals), argument.substr(equals + 1), error, force);
}

std::optional<FieldAssignment> FieldAssignment::Make(std::string_view name, std::string_view text,
                                                     std::string& error, bool force) {
    FieldAssignment assignment;
    assignment.field = FindSettingsField(name);
    if (assignment.field == nullptr) {
        error = "unknown field '" + std::string(name) + "' (see 'dashcam-cfg show CARD')";
        return std::nullopt;
    }
    const SettingsField& field = *assignment.field;
    if (field.name == "ldws") {
        error = "ldws is worked out from fcws_enable, fvdw_enable and ldws_enable at every save";
        return std::nullopt;
    }
    if (field.role == FieldRole::DeviceOwned && !force) {
        error = std::string(field.name) + " belongs to the camera; --force changes it anyway";
        return std::nullopt;
    }
    if (field.kind == FieldKind::Text) {
        const std::optional<std::string> bytes = AnsiFromUtf16(Utf16FromUtf8(text));
        if (!bytes || bytes->find('\0') != std::string::npos) {
            error = std::string(field.name) + ": the text has characters the camera cannot store";
            return std::nullopt;
        }
        if (bytes->size() > FieldText::TextCapacity(field)) {
            error = std::string(field.name) + ": at most " +
                    std::to_string(FieldText::TextCapacity(field)) + " characters";
            return std::nullopt;
        }
        assignment.value = *bytes;
        return assignment;
    }
    const std::optional<std::int64_t> number = ParseInteger(text);
    if (!number) {
        error = std::string(field.name) + ": '" + std::string(text) + "' is not a whole number";
        return std::nullopt;
    }
    const Range range = RangeOf(field.kind);
    if (*number < range.low || *number > range.high) {
        error = std::string(field.name) + ": " + std::to_string(*number) + " does not fit (" +
                std::to_string(range.low) + " to " + std::to_string(range.high) + ")";
        return std::nullopt;
    }
    if (!CheckRule(field, *number, force, error)) {
        return std::nullopt;
    }
    assignment.value = *number;
    return assignment;
}

void FieldAssignment::ApplyTo(SettingsRecord& record) const {
    if (const auto* text = std::get_if<std::string>(&value)) {
        record.SetText(field->offset, field->width, *text);
    } else {
        record.SetNumber(*field, std::get<std::int64_t>(value));
    }
}

} // namespace dashcam
