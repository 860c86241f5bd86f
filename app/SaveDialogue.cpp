#include "app/SaveDialogue.h"

#include "text/AnsiCodePage.h"
#include "text/Placeholders.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

constexpr int kQuestionWidth = 600;
constexpr int kQuestionHeight = 190;

std::u16string ValueText(const SettingsRecord& record, const SettingsField& field) {
    if (field.kind == FieldKind::Text) {
        return u"\"" + Utf16FromAnsi(record.GetText(field.offset, field.width)) + u"\"";
    }
    return Utf16FromAscii(std::to_string(record.GetNumber(field)));
}

} // namespace

std::u16string SaveDialogue::Text(std::u16string_view key) const {
    return m_context.language.GetText(key);
}

std::u16string SaveDialogue::Message(std::u16string_view key, std::u16string_view secondKey,
                                     std::initializer_list<std::u16string> values) const {
    return Filled(key, values) + u"\n" + Text(secondKey);
}

std::u16string SaveDialogue::Question(std::u16string_view key, std::u16string_view secondKey,
                                      std::initializer_list<std::u16string> values) const {
    // Two line breaks give the popup's text its four-line height.
    return Filled(key, values) + u"\r\n" + Text(secondKey) + u"\r\n";
}

std::u16string SaveDialogue::Filled(std::u16string_view key,
                                    std::initializer_list<std::u16string> values) const {
    return FillPlaceholders(Text(key), values);
}

void SaveDialogue::TellSaveFailed(const std::string& path, const std::string& error) {
    m_context.prompt.ShowMessage(
        Message(u"IDS_STRING440", u"IDS_STRING4400", {Utf16FromUtf8(path), Utf16FromUtf8(error)}));
}

bool SaveDialogue::AcceptPartialSave(const std::string& path, std::uint32_t written) {
    const std::u16string text =
        Question(u"IDS_STRING441", u"IDS_STRING4410",
                 {Utf16FromAscii(std::to_string(written)), Utf16FromUtf8(path)});
    return m_context.prompt.AskYesNo(Text(u"IDS_STRING442"), text, kQuestionWidth, kQuestionHeight);
}

void SaveDialogue::TellClockFileFailed(const std::string& path, bool writing,
                                       const std::string& error) {
    m_context.prompt.ShowMessage(Message(writing ? u"IDS_STRING443" : u"IDS_STRING444",
                                         u"IDS_STRING445",
                                         {Utf16FromUtf8(path), Utf16FromUtf8(error)}));
}

bool SaveDialogue::KeepMine(const SettingsField& field, const SettingsRecord& mine,
                            const SettingsRecord& card) {
    const std::u16string text =
        Message(u"IDS_STRING447", u"IDS_STRING4470",
                {Utf16FromAscii(field.name), ValueText(card, field), ValueText(mine, field)});
    return m_context.prompt.AskYesNo(Text(u"IDS_STRING446"), text, kQuestionWidth, kQuestionHeight);
}

} // namespace dashcam
