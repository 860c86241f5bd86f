#include "cli/CardBatch.h"

#include <ostream>

#include "cli/CardAccess.h"
#include "cli/FieldAssignment.h"
#include "cli/Profile.h"

namespace dashcam {

int CardBatch::Set(const std::vector<std::string>& operands) {
    std::vector<std::string> cards;
    std::vector<FieldAssignment> assignments;
    for (const std::string& operand : operands) {
        if (operand.find('=') == std::string::npos) {
            cards.push_back(operand);
            continue;
        }
        std::string error;
        std::optional<FieldAssignment> assignment =
            FieldAssignment::Parse(operand, error, m_context.line.force);
        if (!assignment) {
            m_context.err << "dashcam-cfg: " << error << "; nothing was written\n";
            return kUsage;
        }
        assignments.push_back(*assignment);
    }
    if (cards.empty() || assignments.empty()) {
        m_context.err << "dashcam-cfg: set needs a card folder and FIELD=VALUE (see --help)\n";
        return kUsage;
    }
    return ChangeEach(cards, [&assignments](SettingsRecord& record) {
        for (const FieldAssignment& assignment : assignments) {
            assignment.ApplyTo(record);
        }
    });
}

int CardBatch::Apply(const std::vector<std::string>& operands) {
    if (operands.size() < 2) {
        m_context.err << "dashcam-cfg: apply needs a profile and a card folder (see --help)\n";
        return kUsage;
    }
    std::string error;
    const bool fromInput = operands[0] == "-";
    const std::optional<Profile> profile =
        fromInput
            ? Profile::Read(m_context.in, error, m_context.line.force)
            : Profile::Read(m_context.platform.files, operands[0], error, m_context.line.force);
    if (!profile) {
        m_context.err << "dashcam-cfg: " << (fromInput ? "standard input" : operands[0]) << ": "
                      << error << "; nothing was written\n";
        return kUsage;
    }
    const std::vector<std::string> cards(operands.begin() + 1, operands.end());
    return ChangeEach(cards, [&profile](SettingsRecord& record) { profile->ApplyTo(record); });
}

// The camera's menus offer the languages its ver.dat lists; a new menu language must be one of
// them. A card without ver.dat cannot tell, and a forced value is written as given.
bool CardBatch::LanguageOffered(CardAccess& access, std::int32_t before) {
    const std::int32_t index = access.Record().GetI32(OffsetOf("language_index"));
    if (index == before || m_context.line.force) {
        return true;
    }
    const std::optional<DeviceDescription> description = access.Describe();
    if (!description || description->codes.empty() ||
        static_cast<std::size_t>(index) < description->codes.size()) {
        return true;
    }
    m_context.err << "dashcam-cfg: language_index " << index << " is not offered by the camera at "
                  << access.Folder() << ": its lang/ver.dat lists " << description->codes.size()
                  << " languages (0 to " << description->codes.size() - 1
                  << "); --force writes it anyway\n";
    return false;
}

int CardBatch::ChangeEach(const std::vector<std::string>& cards, const Change& change) {
    std::vector<std::string> failed;
    for (const std::string& card : cards) {
        CardAccess access(m_context.platform, m_context.err);
        if (!access.Open(card)) {
            failed.push_back(card);
            continue;
        }
        const std::int32_t language = access.Record().GetI32(OffsetOf("language_index"));
        change(access.Record());
        if (!LanguageOffered(access, language) || !access.Save()) {
            failed.push_back(card);
        }
    }
    if (failed.empty()) {
        return kOk;
    }
    m_context.err << "dashcam-cfg: " << failed.size() << " of " << cards.size()
                  << " cards not changed:";
    for (const std::string& card : failed) {
        m_context.err << " " << card;
    }
    m_context.err << '\n';
    return kFailed;
}

} // namespace dashcam
