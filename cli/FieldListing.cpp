#include "cli/FieldListing.h"

#include <QJsonArray>
#include <iomanip>
#include <ostream>

#include "cli/CardAccess.h"
#include "cli/FieldText.h"
#include "cli/JsonText.h"

namespace dashcam {
namespace {

const char* RoleName(FieldRole role) {
    switch (role) {
    case FieldRole::UserSetting:
        return "user setting";
    case FieldRole::Derived:
        return "derived";
    case FieldRole::DeviceOwned:
        return "device-owned";
    case FieldRole::Identity:
        return "identity";
    }
    return "";
}

} // namespace

int FieldListing::Show(const std::string& card) {
    CardAccess access(m_context.platform, m_context.err);
    if (!access.Open(card)) {
        return kFailed;
    }
    const SettingsRecord& record = access.Record();
    QJsonObject json;
    for (const SettingsField& field : kSettingsFields) {
        if (m_context.line.json) {
            json.insert(QString::fromUtf8(field.name), JsonText::FieldValue(record, field));
            continue;
        }
        m_context.out << std::left << std::setw(24) << field.name << ' ' << std::setw(20)
                      << FieldText::Value(record, field) << ' ' << field.meaning << " ["
                      << field.values << "]\n";
    }
    if (m_context.line.json) {
        m_context.out << JsonText::Document(json);
    }
    return kOk;
}

int FieldListing::Get(const std::string& card, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (FindSettingsField(name) == nullptr) {
            m_context.err << "dashcam-cfg: unknown field '" << name << "'\n";
            return kUsage;
        }
    }
    CardAccess access(m_context.platform, m_context.err);
    if (!access.Open(card)) {
        return kFailed;
    }
    QJsonObject json;
    for (const std::string& name : names) {
        const SettingsField& field = *FindSettingsField(name);
        if (m_context.line.json) {
            json.insert(QString::fromStdString(name), JsonText::FieldValue(access.Record(), field));
        } else {
            m_context.out << FieldText::Value(access.Record(), field) << '\n';
        }
    }
    if (m_context.line.json) {
        m_context.out << JsonText::Document(json);
    }
    return kOk;
}

int FieldListing::Fields() {
    QJsonArray json;
    for (const SettingsField& field : kSettingsFields) {
        if (!m_context.line.json) {
            m_context.out << field.name << '\n';
            continue;
        }
        QJsonObject entry{{"name", QString::fromUtf8(field.name)},
                          {"role", RoleName(field.role)},
                          {"allowed", QString::fromStdString(FieldText::Allowed(field))},
                          {"values", QString::fromUtf8(field.values)},
                          {"meaning", QString::fromUtf8(field.meaning)}};
        if (field.kind != FieldKind::Text && field.allowed.IsList()) {
            QJsonArray list;
            for (std::int32_t value : field.allowed.Values()) {
                list.append(value);
            }
            entry.insert("list", list);
        }
        json.append(entry);
    }
    if (m_context.line.json) {
        m_context.out << JsonText::Document(QJsonObject{{"fields", json}});
    }
    return kOk;
}

} // namespace dashcam
