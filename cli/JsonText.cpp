#include "cli/JsonText.h"

#include <QJsonDocument>

#include "cli/FieldText.h"

namespace dashcam {

QJsonValue JsonText::FieldValue(const SettingsRecord& record, const SettingsField& field) {
    if (field.kind == FieldKind::Text) {
        return QString::fromStdString(FieldText::Text(record, field));
    }
    return static_cast<qint64>(record.GetNumber(field));
}

std::string JsonText::Document(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace dashcam
