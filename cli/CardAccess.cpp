#include "cli/CardAccess.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "card/AppContext.h"
#include "card/CardFolder.h"
#include "card/CardSession.h"
#include "card/TouchCalibration.h"
#include "settings/CardPath.h"
#include "settings/ClockFile.h"

namespace dashcam {

CardAccess::CardAccess(PlatformServices& platform, std::ostream& err)
    : m_platform(platform), m_err(err), m_prompt(err),
      m_context(std::make_unique<AppContext>(platform, m_prompt)),
      m_session(std::make_unique<CardSession>(*m_context)) {}

CardAccess::~CardAccess() = default;

SettingsRecord& CardAccess::Record() {
    return m_context->settings.Current();
}

const std::string& CardAccess::Folder() const {
    return m_context->CardPath;
}

bool CardAccess::OpenFolder(const std::string& card) {
    m_context->CardPath = CardPathFromArguments({card});
    std::error_code error;
    if (!std::filesystem::is_directory(m_context->CardPath, error)) {
        m_err << "dashcam-cfg: no card folder at '" << card << "'\n";
        return false;
    }
    return true;
}

bool CardAccess::Open(const std::string& card) {
    if (!OpenFolder(card)) {
        return false;
    }
    DeviceDescription device;
    const CardLoadResult loaded = m_session->Load(device);
    const CardFolder folder(Folder());
    if (loaded.source == CardLoadSource::None) {
        m_err << "dashcam-cfg: cannot read " << folder.Setup() << " (" << loaded.setupError
              << ") nor " << kDefaultsFileName << " (" << loaded.defaultsError << ")\n";
        return false;
    }
    if (loaded.source == CardLoadSource::Defaults) {
        m_err << "dashcam-cfg: " << folder.Setup() << " cannot be read (" << loaded.setupError
              << "); using " << kDefaultsFileName << '\n';
    }
    m_loaded = Record();
    return true;
}

std::optional<SettingsRecord> CardAccess::ReadDefaults() {
    SettingsStore defaults(m_platform.debug, m_platform.files, m_prompt);
    defaults.CreateEmptyRecord();
    const std::string path = CardFolder(Folder()).Defaults();
    if (!defaults.LoadCardFile(path)) {
        m_err << "dashcam-cfg: cannot read " << path << " (" << defaults.LastError() << ")\n";
        return std::nullopt;
    }
    return defaults.Current();
}

std::optional<DeviceDescription> CardAccess::Describe() {
    const std::string path = CardFolder(Folder()).DeviceDescription();
    if (!m_platform.files.ReadHead(path, 0).opened) {
        return std::nullopt;
    }
    DeviceDescription description;
    LoadDeviceDescription(m_platform.files, path, description);
    return description;
}

bool CardAccess::ChangesFitTheSavedSize() {
    const SettingsRecord& record = Record();
    const std::uint32_t written =
        std::min<std::uint32_t>(record.GetU32(OffsetOf("record_size")), SettingsRecord::kSize);
    if (std::equal(record.Bytes().begin() + written, record.Bytes().end(),
                   m_loaded.Bytes().begin() + written)) {
        return true;
    }
    m_err << "dashcam-cfg: only the first " << written
          << " bytes of the settings would be saved to " << Folder()
          << "setup.cfg, because its record_size is " << written
          << "; nothing was written (set record_size=544 to save them)\n";
    return false;
}

bool CardAccess::Save() {
    if (!ChangesFitTheSavedSize()) {
        return false;
    }
    // Another program may save between the load and this save: only the changed fields are laid
    // over what the card holds then, and they win, because the command line asked for them.
    CardSaveChoices choices;
    choices.keepMine = [](const SettingsField&, const SettingsRecord&, const SettingsRecord&) {
        return true;
    };
    choices.acceptPartial = [this](const std::string& path, std::uint32_t written) {
        m_err << "dashcam-cfg: only the first " << written
              << " bytes of the settings were saved to " << path
              << "; values after them are not on the card (set record_size=544 to save them)\n";
        return false;
    };
    const CardSaveResult saved = m_session->Save(choices);
    if (saved.step == CardSaveStep::SetupFailed || saved.step == CardSaveStep::ClockFailed) {
        m_err << "dashcam-cfg: could not save " << saved.path << ": " << saved.error << '\n';
    }
    return saved.step == CardSaveStep::Saved;
}

bool CardAccess::WriteClock(const ClockRequest& request) {
    ClockFile clock(m_platform.files, m_platform.pcTimeZone);
    const std::string path = CardFolder(Folder()).Clock();
    if (!clock.WriteClockFile(path, request)) {
        m_err << "dashcam-cfg: could not " << (request.flag != 0 ? "write " : "remove ") << path
              << ": " << clock.LastError() << '\n';
        return false;
    }
    return true;
}

bool CardAccess::RequestTouchCalibration() {
    if (!RequestTouchCalibrationReset(m_platform.volumes, m_platform.files, Folder())) {
        m_err << "dashcam-cfg: could not create " << kTouchCalibrationFileName
              << " at the root of the volume that holds " << Folder() << '\n';
        return false;
    }
    return true;
}

} // namespace dashcam
