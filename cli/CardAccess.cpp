#include "cli/CardAccess.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "app/AppContext.h"
#include "settings/CardPath.h"
#include "settings/ClockFile.h"
#include "settings/TouchCalibration.h"

namespace dashcam {

CardAccess::CardAccess(PlatformServices& platform, std::ostream& err)
    : m_platform(platform), m_err(err), m_prompt(err),
      m_context(std::make_unique<AppContext>(platform, m_prompt)) {}

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
    SettingsStore& store = m_context->settings;
    store.CreateEmptyRecord();
    const std::string& folder = m_context->CardPath;
    if (!store.LoadCardFile(folder + "setup.cfg")) {
        const std::string setupError = store.LastError();
        if (!store.LoadCardFile(folder + "default.cfg")) {
            m_err << "dashcam-cfg: cannot read " << folder << "setup.cfg (" << setupError
                  << ") nor default.cfg (" << store.LastError() << ")\n";
            return false;
        }
        m_err << "dashcam-cfg: " << folder << "setup.cfg cannot be read (" << setupError
              << "); using default.cfg\n";
    }
    store.RememberCardState();
    m_loaded = store.Current();
    return true;
}

std::optional<SettingsRecord> CardAccess::ReadDefaults() {
    SettingsStore defaults(m_platform.debug, m_platform.files, m_prompt);
    defaults.CreateEmptyRecord();
    const std::string path = Folder() + "default.cfg";
    if (!defaults.LoadCardFile(path)) {
        m_err << "dashcam-cfg: cannot read " << path << " (" << defaults.LastError() << ")\n";
        return std::nullopt;
    }
    return defaults.Current();
}

std::optional<DeviceDescription> CardAccess::Describe() {
    const std::string folder = Folder() + "lang/";
    if (!m_platform.files.ReadHead(folder + "ver.dat", 0).opened) {
        return std::nullopt;
    }
    DeviceDescription description;
    LoadDeviceDescription(m_platform.files, folder, description);
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
    SettingsStore& store = m_context->settings;
    const std::string path = Folder() + "setup.cfg";
    const auto keepMine = [](const SettingsField&, const SettingsRecord&, const SettingsRecord&) {
        return true;
    };
    if (!store.SaveChanges(path, keepMine)) {
        m_err << "dashcam-cfg: could not save " << path << ": " << store.LastError() << '\n';
        return false;
    }
    if (store.LastSaveLeftChangesOut()) {
        m_err << "dashcam-cfg: only the first " << store.LastWrittenSize()
              << " bytes of the settings were saved to " << path
              << "; values after them are not on the card (set record_size=544 to save them)\n";
        return false;
    }
    return true;
}

bool CardAccess::WriteClock(const ClockRequest& request) {
    ClockFile clock(m_platform.files, m_platform.pcTimeZone);
    const std::string path = Folder() + "time.dat";
    if (!clock.WriteClockFile(path, request)) {
        m_err << "dashcam-cfg: could not " << (request.flag != 0 ? "write " : "remove ") << path
              << ": " << clock.LastError() << '\n';
        return false;
    }
    return true;
}

bool CardAccess::RequestTouchCalibration() {
    if (!RequestTouchCalibrationReset(m_platform.volumes, m_platform.files, Folder())) {
        m_err << "dashcam-cfg: could not create set_touch_cal.txt at the root of the volume "
                 "that holds "
              << Folder() << '\n';
        return false;
    }
    return true;
}

} // namespace dashcam
