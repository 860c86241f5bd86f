#include "cli/DiffCommand.h"

#include <QJsonArray>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/CardAccess.h"
#include "cli/FieldText.h"
#include "cli/JsonText.h"
#include "cli/Profile.h"

namespace dashcam {

std::vector<const SettingsField*> DiffCommand::Differences(const SettingsRecord& a,
                                                           const SettingsRecord& b) {
    std::vector<const SettingsField*> fields;
    for (const SettingsField& field : kSettingsFields) {
        const auto bytesOf = [&field](const SettingsRecord& record) {
            return record.Bytes().subspan(field.offset, field.width);
        };
        if (!std::ranges::equal(bytesOf(a), bytesOf(b))) {
            fields.push_back(&field);
        }
    }
    return fields;
}

std::optional<SettingsRecord> DiffCommand::Other(const std::vector<std::string>& operands,
                                                 CardAccess& first) {
    if (operands.size() == 1) {
        return first.ReadDefaults();
    }
    CardAccess access(m_context.platform, m_context.err);
    std::error_code error;
    if (std::filesystem::is_directory(operands[1], error)) {
        if (!access.Open(operands[1])) {
            return std::nullopt;
        }
        return access.Record();
    }
    std::string why;
    const std::optional<Profile> profile =
        Profile::Read(m_context.platform.files, operands[1], why, m_context.line.force);
    if (!profile) {
        m_context.err << "dashcam-cfg: " << operands[1] << ": " << why << '\n';
        return std::nullopt;
    }
    SettingsRecord changed = first.Record();
    profile->ApplyTo(changed);
    return changed;
}

int DiffCommand::Run(const std::vector<std::string>& operands) {
    if (operands.empty() || operands.size() > 2) {
        m_context.err << "dashcam-cfg: diff needs one or two card folders, or a card folder and a "
                         "profile (see --help)\n";
        return kUsage;
    }
    CardAccess access(m_context.platform, m_context.err);
    if (!access.Open(operands[0])) {
        return kUsage;
    }
    const std::optional<SettingsRecord> other = Other(operands, access);
    if (!other) {
        return kUsage;
    }
    const std::vector<const SettingsField*> fields = Differences(access.Record(), *other);
    Print(access.Record(), *other, fields);
    return fields.empty() ? kOk : kFailed;
}

void DiffCommand::Print(const SettingsRecord& a, const SettingsRecord& b,
                        const std::vector<const SettingsField*>& fields) {
    if (!m_context.line.json) {
        for (const SettingsField* field : fields) {
            m_context.out << field->name << ": " << FieldText::Value(a, *field) << " -> "
                          << FieldText::Value(b, *field) << '\n';
        }
        return;
    }
    QJsonArray list;
    for (const SettingsField* field : fields) {
        list.append(QJsonObject{{"field", QString::fromUtf8(field->name)},
                                {"from", JsonText::FieldValue(a, *field)},
                                {"to", JsonText::FieldValue(b, *field)}});
    }
    m_context.out << JsonText::Document(QJsonObject{{"equal", fields.empty()}, {"changes", list}});
}

} // namespace dashcam
