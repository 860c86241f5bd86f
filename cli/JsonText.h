#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <string>

#include "settings/SettingsRecord.h"

namespace dashcam {

// The command line's JSON: field values as JSON numbers or strings, documents as indented text.
class JsonText {
public:
    static QJsonValue FieldValue(const SettingsRecord& record, const SettingsField& field);
    // The document as UTF-8 text ending with a line break.
    static std::string Document(const QJsonObject& object);
};

} // namespace dashcam
