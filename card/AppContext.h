#pragma once

#include <string>

#include "platform/PlatformServices.h"
#include "platform/Prompt.h"
#include "settings/ClockRequest.h"
#include "settings/SettingsStore.h"
#include "text/CLanguageManager.h"

namespace dashcam {

// The values the whole application shares, created once by the application object (or by a
// test) and handed by reference to the windows and pages that need them.
struct AppContext {
    AppContext(PlatformServices& platformServices, IPrompt& userPrompt)
        : platform(platformServices), prompt(userPrompt),
          settings(platformServices.debug, platformServices.files, userPrompt),
          language(platformServices.debug) {}

    PlatformServices& platform;
    IPrompt& prompt;
    std::string CardPath;            // the card folder, ending with a separator
    std::u16string registryLanguage; // the companion viewer's language name
    SettingsStore settings;          // owns the current settings record
    ClockRequest clockRequest;
    CLanguageManager language; // the user-interface texts
};

} // namespace dashcam
