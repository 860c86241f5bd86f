#include "cli/DashcamCfg.h"

#include <filesystem>
#include <iomanip>
#include <ostream>

#include "card/AppContext.h"
#include "card/CardFolder.h"
#include "card/CardSession.h"
#include "cli/ConsolePrompt.h"
#include "cli/FieldAssignment.h"
#include "settings/CardPath.h"
#include "text/AnsiCodePage.h"
#include "text/Utf.h"

namespace dashcam {
namespace {

std::string ValueText(const SettingsRecord& record, const SettingsField& field) {
    if (field.kind == FieldKind::Text) {
        return "\"" + Utf8FromUtf16(Utf16FromAnsi(record.GetText(field.offset, field.width))) +
               "\"";
    }
    return std::to_string(record.GetNumber(field));
}

// Loads the card as the desktop editor does: setup.cfg, or the factory defaults restored onto an
// all-zero record when it cannot be read. False, with the reason on err, when neither can be read.
bool LoadCard(CardSession& session, AppContext& context, const std::string& card,
              std::ostream& err) {
    context.CardPath = CardPathFromArguments({card});
    std::error_code error;
    if (!std::filesystem::is_directory(context.CardPath, error)) {
        err << "dashcam-cfg: no card folder at '" << card << "'\n";
        return false;
    }
    DeviceDescription device;
    const CardLoadResult loaded = session.Load(device);
    const CardFolder folder(context.CardPath);
    if (loaded.source == CardLoadSource::None) {
        err << "dashcam-cfg: cannot read " << folder.Setup() << " (" << loaded.setupError
            << ") nor " << kDefaultsFileName << " (" << loaded.defaultsError << ")\n";
        return false;
    }
    if (loaded.source == CardLoadSource::Defaults) {
        err << "dashcam-cfg: " << folder.Setup() << " cannot be read (" << loaded.setupError
            << "); using " << kDefaultsFileName << '\n';
    }
    return true;
}

} // namespace

const char* DashcamCfg::HelpText() {
    return "Usage: dashcam-cfg [-v] COMMAND CARD [ARGUMENTS]\n"
           "Shows and changes the settings a dash camera keeps on its memory card.\n"
           "CARD is the card folder that holds setup.cfg and default.cfg.\n"
           "\n"
           "Commands:\n"
           "  show CARD                    every field with its value and meaning\n"
           "  get CARD FIELD...            the values of the named fields, one a line\n"
           "  set CARD FIELD=VALUE...      change fields and save setup.cfg in place\n"
           "\n"
           "Numbers are decimal or 0x-prefixed hexadecimal; the text fields product_name and\n"
           "time_zone_name take text. When setup.cfg is missing, the card's default.cfg is\n"
           "used as the desktop editor uses it (the device-owned preserved_* fields start at\n"
           "0) and set creates setup.cfg. A pending time.dat is left as it is. If any\n"
           "argument is wrong, nothing is written.\n"
           "\n"
           "Options:\n"
           "  -v, --verbose   print the settings diagnostics on standard error\n"
           "  -h, --help      this text\n"
           "\n"
           "Exit status: 0 done, 1 the card could not be read or written, 2 wrong arguments.\n";
}

int DashcamCfg::Run(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        m_err << HelpText();
        return kUsage;
    }
    if (arguments[0] == "-h" || arguments[0] == "--help") {
        m_out << HelpText();
        return kOk;
    }
    const std::string& command = arguments[0];
    if (arguments.size() < 2) {
        m_err << "dashcam-cfg: " << command << " needs a card folder (see --help)\n";
        return kUsage;
    }
    const std::vector<std::string> rest(arguments.begin() + 2, arguments.end());
    if (command == "show" && rest.empty()) {
        return Show(arguments[1]);
    }
    if (command == "get" && !rest.empty()) {
        return Get(arguments[1], rest);
    }
    if (command == "set" && !rest.empty()) {
        return Set(arguments[1], rest);
    }
    m_err << "dashcam-cfg: wrong use of '" << command << "' (see --help)\n";
    return kUsage;
}

int DashcamCfg::Show(const std::string& card) {
    ConsolePrompt prompt(m_err);
    AppContext context(m_platform, prompt);
    CardSession session(context);
    if (!LoadCard(session, context, card, m_err)) {
        return kFailed;
    }
    const SettingsRecord& record = context.settings.Current();
    for (const SettingsField& field : kSettingsFields) {
        m_out << std::left << std::setw(24) << field.name << ' ' << std::setw(20)
              << ValueText(record, field) << ' ' << field.meaning << " [" << field.values << "]\n";
    }
    return kOk;
}

int DashcamCfg::Get(const std::string& card, const std::vector<std::string>& fields) {
    for (const std::string& name : fields) {
        if (FindSettingsField(name) == nullptr) {
            m_err << "dashcam-cfg: unknown field '" << name << "'\n";
            return kUsage;
        }
    }
    ConsolePrompt prompt(m_err);
    AppContext context(m_platform, prompt);
    CardSession session(context);
    if (!LoadCard(session, context, card, m_err)) {
        return kFailed;
    }
    for (const std::string& name : fields) {
        m_out << ValueText(context.settings.Current(), *FindSettingsField(name)) << '\n';
    }
    return kOk;
}

int DashcamCfg::Set(const std::string& card, const std::vector<std::string>& assignments) {
    std::vector<FieldAssignment> changes;
    for (const std::string& argument : assignments) {
        std::string error;
        std::optional<FieldAssignment> change = FieldAssignment::Parse(argument, error);
        if (!change) {
            m_err << "dashcam-cfg: " << error << "; nothing was written\n";
            return kUsage;
        }
        changes.push_back(*change);
    }
    ConsolePrompt prompt(m_err);
    AppContext context(m_platform, prompt);
    CardSession session(context);
    if (!LoadCard(session, context, card, m_err)) {
        return kFailed;
    }
    for (const FieldAssignment& change : changes) {
        change.ApplyTo(context.settings.Current());
    }
    // Another program may save between the load and this save: only the named fields are laid
    // over what the card holds then, and they win, because the command line asked for them.
    CardSaveChoices choices;
    choices.keepMine = [](const SettingsField&, const SettingsRecord&, const SettingsRecord&) {
        return true;
    };
    choices.acceptPartial = [this](const std::string& path, std::uint32_t written) {
        m_err << "dashcam-cfg: only the first " << written
              << " bytes of the settings were saved to " << path << ", because its record_size is "
              << written
              << "; values after them are not on the card (set record_size=544 to save them)\n";
        return false;
    };
    const CardSaveResult saved = session.Save(choices);
    if (saved.step == CardSaveStep::SetupFailed || saved.step == CardSaveStep::ClockFailed) {
        m_err << "dashcam-cfg: could not save " << saved.path << ": " << saved.error << '\n';
    }
    return saved.step == CardSaveStep::Saved ? kOk : kFailed;
}

} // namespace dashcam
