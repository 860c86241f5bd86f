#include "cli/FieldText.h"

#include <cctype>

#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace dashcam {

std::string FieldText::Text(const SettingsRecord& record, const SettingsField& field) {
    if (field.kind != FieldKind::Text) {
        return {};
    }
    return Utf8FromUtf16(Utf16FromAnsi(record.GetText(field.offset, field.width)));
}

std::string FieldText::Value(const SettingsRecord& record, const SettingsField& field) {
    if (field.kind == FieldKind::Text) {
        return "\"" + Text(record, field) + "\"";
    }
    return std::to_string(record.GetNumber(field));
}

std::size_t FieldText::TextCapacity(const SettingsField& field) {
    return field.name == "time_zone_name" ? field.width - 1 : field.width;
}

std::string FieldText::AllowedAndMeaning(const SettingsField& field) {
    // The table's text adds something when it has words besides the numbers ("0 off, 1 on").
    std::string word;
    bool tells = false;
    for (const char c : std::string(field.values) + ' ') {
        if (std::isalpha(static_cast<unsigned char>(c)) != 0) {
            word += c;
            continue;
        }
        tells = tells || (!word.empty() && word != "to" && word != "or");
        word.clear();
    }
    const std::string allowed = Allowed(field);
    return tells ? allowed + " (" + std::string(field.values) + ")" : allowed;
}

std::string FieldText::Allowed(const SettingsField& field) {
    if (field.kind == FieldKind::Text) {
        return "text of at most " + std::to_string(TextCapacity(field)) + " characters";
    }
    const ValueRule& rule = field.allowed;
    if (!rule.IsList()) {
        const bool open = rule.minimum == AnyValue().minimum || rule.maximum == kInt32Max;
        return open ? "any whole number" + std::string(rule.minimum == 0 ? " from 0" : "")
                    : std::to_string(rule.minimum) + " to " + std::to_string(rule.maximum);
    }
    std::string text;
    const auto values = rule.Values();
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += i == 0 ? "" : i + 1 == values.size() ? " or " : ", ";
        text += std::to_string(values[i]);
    }
    return text;
}

} // namespace dashcam
