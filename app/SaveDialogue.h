#pragma once

#include <string>

#include "card/AppContext.h"

namespace dashcam {

// What the main window tells and asks the driver while it saves, in the driver's language.
class SaveDialogue {
public:
    explicit SaveDialogue(AppContext& context) : m_context(context) {}

    void TellSaveFailed(const std::string& path, const std::string& error);
    // The record says it holds fewer bytes than the settings the driver changed: true to keep
    // what was saved and close, false to go back to the window.
    bool AcceptPartialSave(const std::string& path, std::uint32_t written);
    void TellClockFileFailed(const std::string& path, bool writing, const std::string& error);
    // Another program saved a different value of a field the driver changed: true keeps the
    // driver's value.
    bool KeepMine(const SettingsField& field, const SettingsRecord& mine,
                  const SettingsRecord& card);

private:
    std::u16string Text(std::u16string_view key) const;
    // The text of key with %1, %2 and %3 filled in.
    std::u16string Filled(std::u16string_view key,
                          std::initializer_list<std::u16string> values) const;
    // A message's filled first line and its second line, for a message box or the yes/no popup.
    std::u16string Message(std::u16string_view key, std::u16string_view secondKey,
                           std::initializer_list<std::u16string> values) const;
    std::u16string Question(std::u16string_view key, std::u16string_view secondKey,
                            std::initializer_list<std::u16string> values) const;

    AppContext& m_context;
};

} // namespace dashcam
