#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/CommandContext.h"
#include "settings/SettingsRecord.h"

namespace dashcam {

class CardAccess;

// Changes the settings of several cards the same way: set and apply. Each card is changed whole
// or not at all; a card that fails does not stop the others, and a summary line names the ones
// that failed.
class CardBatch {
public:
    explicit CardBatch(const CommandContext& context) : m_context(context) {}

    // set CARD... FIELD=VALUE...: every argument with '=' is an assignment, the others cards.
    int Set(const std::vector<std::string>& operands);
    // apply PROFILE CARD...
    int Apply(const std::vector<std::string>& operands);

private:
    using Change = std::function<void(SettingsRecord&)>;
    int ChangeEach(const std::vector<std::string>& cards, const Change& change);
    bool LanguageOffered(CardAccess& access, std::int32_t before);

    const CommandContext& m_context;
};

} // namespace dashcam
