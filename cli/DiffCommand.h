#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CommandContext.h"
#include "settings/SettingsRecord.h"

namespace dashcam {

class CardAccess;

// diff CARD [CARD|PROFILE]: the fields whose values differ, as "field: a -> b" lines. With one
// card it compares the card with its default.cfg; with a profile, the card with what the
// profile would make of it. Exit 0 when equal, 1 when different, 2 on trouble.
class DiffCommand {
public:
    explicit DiffCommand(const CommandContext& context) : m_context(context) {}

    int Run(const std::vector<std::string>& operands);

    // The named fields whose values differ between two records, in the record's order.
    static std::vector<const SettingsField*> Differences(const SettingsRecord& a,
                                                         const SettingsRecord& b);

private:
    std::optional<SettingsRecord> Other(const std::vector<std::string>& operands,
                                        CardAccess& first);
    void Print(const SettingsRecord& a, const SettingsRecord& b,
               const std::vector<const SettingsField*>& fields);

    const CommandContext& m_context;
};

} // namespace dashcam
