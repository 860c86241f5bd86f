#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/ConsolePrompt.h"
#include "platform/PlatformServices.h"
#include "settings/ClockRequest.h"
#include "settings/DeviceDescription.h"
#include "settings/SettingsRecord.h"

namespace dashcam {

struct AppContext;
class CardSession;

// Every read and write the command line makes on one card folder, through the card layer that
// the window uses too. Failures are told on the error stream, one line each, naming the card.
class CardAccess {
public:
    CardAccess(PlatformServices& platform, std::ostream& err);
    ~CardAccess();

    // Loads the card's settings as the desktop editor does; false when there is no card folder
    // or no settings file can be read.
    bool Open(const std::string& card);
    // Only finds the card folder, for the request files that need no settings.
    bool OpenFolder(const std::string& card);
    SettingsRecord& Record();
    // The card folder, ending with a separator.
    const std::string& Folder() const;

    // The card's factory settings as default.cfg holds them.
    std::optional<SettingsRecord> ReadDefaults();
    // What lang/ver.dat says; none when it cannot be read.
    std::optional<DeviceDescription> Describe();

    // Saves the changes made to Record() since Open, whole or not at all: a change that the
    // record's own size word would leave out of the file is refused before anything is written.
    bool Save();
    bool WriteClock(const ClockRequest& request);
    bool RequestTouchCalibration();

private:
    bool ChangesFitTheSavedSize();

    PlatformServices& m_platform;
    std::ostream& m_err;
    ConsolePrompt m_prompt;
    std::unique_ptr<AppContext> m_context;
    std::unique_ptr<CardSession> m_session;
    SettingsRecord m_loaded;
};

} // namespace dashcam
