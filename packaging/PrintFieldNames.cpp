// Prints the name of every field of the settings record, one a line, for files generated at
// build time (the shell completion of dashcam-cfg) that must name exactly the fields the
// programs know.
#include <iostream>

#include "settings/SettingsFields.h"

int main() {
    for (const dashcam::SettingsField& field : dashcam::kSettingsFields) {
        std::cout << field.name << '\n';
    }
    return 0;
}
