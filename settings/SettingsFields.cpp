#include "settings/SettingsFields.h"

namespace dashcam {

const SettingsField* FindSettingsField(std::string_view name) {
    for (const SettingsField& field : kSettingsFields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

} // namespace dashcam
