#include "cli/InfoCommand.h"

#include <QJsonArray>
#include <QJsonObject>
#include <ostream>

#include "card/CardFolder.h"
#include "cli/CardAccess.h"
#include "cli/FieldText.h"
#include "cli/JsonText.h"

namespace dashcam {
namespace {

QString Text(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

// The menu languages in the camera's order: each code with its name, when the catalogue has one.
QJsonArray Languages(const DeviceDescription& description) {
    QJsonArray languages;
    for (std::size_t i = 0; i < description.codes.size(); ++i) {
        QJsonObject language{{"code", Text(description.codes[i])}};
        for (std::size_t n = 0; n < description.names.size(); ++n) {
            if (description.nameCodeIndex[n] == i) {
                language.insert("name", Text(description.names[n]));
            }
        }
        languages.append(language);
    }
    return languages;
}

QJsonObject Describe(const std::optional<DeviceDescription>& description,
                     const SettingsRecord& record) {
    const auto version = record.GetU32(OffsetOf("config_version"));
    QJsonObject info{
        {"record_size", static_cast<qint64>(record.GetU32(OffsetOf("record_size")))},
        {"config_version", QString("%1.%2").arg(version >> 16).arg(version & 0xFFFF)},
        {"config_version_word", static_cast<qint64>(version)},
        {"product_name", QString::fromStdString(FieldText::Text(record, Field("product_name")))},
        {"language_index", record.GetI32(OffsetOf("language_index"))},
        {"ver_dat", description.has_value()}};
    if (description) {
        info.insert("firmware_version", Text(description->version));
        info.insert("device", Text(description->device));
        info.insert("pack_name", Text(description->packName));
        info.insert("languages", Languages(*description));
    }
    return info;
}

void PrintText(std::ostream& out, const QJsonObject& info) {
    const auto line = [&out, &info](const char* label, const char* key) {
        if (info.contains(key)) {
            out << label << ": " << info.value(key).toVariant().toString().toStdString() << '\n';
        }
    };
    line("firmware version", "firmware_version");
    line("device", "device");
    line("pack name", "pack_name");
    if (info.contains("languages")) {
        out << "menu languages:";
        int index = 0;
        for (const QJsonValue& language : info.value("languages").toArray()) {
            const QJsonObject entry = language.toObject();
            out << (index++ == 0 ? " " : ", ") << entry.value("code").toString().toStdString();
            if (entry.contains("name")) {
                out << " (" << entry.value("name").toString().toStdString() << ")";
            }
        }
        out << '\n';
    }
    line("menu language index", "language_index");
    line("record size", "record_size");
    out << "config version: " << info.value("config_version").toString().toStdString()
        << QString(" (0x%1)")
               .arg(info.value("config_version_word").toInteger(), 8, 16, QChar('0'))
               .toStdString()
        << '\n';
    line("product name", "product_name");
}

} // namespace

int InfoCommand::Run(const std::string& card) {
    CardAccess access(m_context.platform, m_context.err);
    if (!access.Open(card)) {
        return kFailed;
    }
    const std::optional<DeviceDescription> description = access.Describe();
    if (!description) {
        m_context.err << "dashcam-cfg: " << CardFolder(access.Folder()).DeviceDescription()
                      << " cannot be read; only the record is described\n";
    }
    const QJsonObject info = Describe(description, access.Record());
    if (m_context.line.json) {
        m_context.out << JsonText::Document(info);
    } else {
        PrintText(m_context.out, info);
    }
    return kOk;
}

} // namespace dashcam
