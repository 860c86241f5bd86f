#include "cli/DashcamCfg.h"

#include <ostream>

#include "cli/CardAccess.h"
#include "cli/CardBatch.h"
#include "cli/ClockCommand.h"
#include "cli/CommandContext.h"
#include "cli/CommandLine.h"
#include "cli/DiffCommand.h"
#include "cli/FieldListing.h"
#include "cli/InfoCommand.h"
#include "cli/Profile.h"
#include "platform/NullDebugOutput.h"

namespace dashcam {
namespace {

int Export(const CommandContext& context, const std::vector<std::string>& operands) {
    CardAccess access(context.platform, context.err);
    if (!access.Open(operands[0])) {
        return kFailed;
    }
    context.out << Profile::Export(access.Record());
    return kOk;
}

} // namespace

std::string DashcamCfg::HelpText() {
    return "Usage: dashcam-cfg [OPTIONS] COMMAND ARGUMENTS...\n"
           "Shows and changes the settings a dash camera keeps on its memory card.\n"
           "CARD is the card folder that holds setup.cfg and default.cfg.\n"
           "\n"
           "Commands:\n"
           "  show CARD                      every field with its value and meaning\n"
           "  get CARD FIELD...              the values of the named fields, one a line\n"
           "  set CARD... FIELD=VALUE...     change fields on every card and save setup.cfg\n"
           "  export CARD                    the card's user settings as a profile (INI text)\n"
           "  apply PROFILE CARD...          set the fields a profile names on every card;\n"
           "                                 PROFILE - reads it from standard input\n"
           "  diff CARD [CARD|PROFILE]       the fields that differ: with one card, from its\n"
           "                                 default.cfg; exit 0 equal, 1 different, 2 trouble\n"
           "  info CARD                      what lang/ver.dat says, and the record's size and\n"
           "                                 version words\n"
           "  clock CARD now|YYYY-MM-DDTHH:MM:SS|--clear\n"
           "                                 ask the camera to set its clock (time.dat, with\n"
           "                                 the PC zone's standard offset; TZ is honoured)\n"
           "  touch-calibration CARD         ask the camera to reset its touch calibration\n"
           "  fields                         every field name, one a line\n"
           "\n"
           "Numbers are decimal or 0x-prefixed hexadecimal; the text fields product_name and\n"
           "time_zone_name take text. A value outside a field's allowed values (see show) is\n"
           "refused unless --force is given. When setup.cfg is missing, the card's default.cfg\n"
           "is used as the desktop editor uses it (the device-owned preserved_* fields start\n"
           "at 0) and set creates setup.cfg. A pending time.dat is left as it is. If any\n"
           "argument is wrong, nothing is written; each card is changed whole or not at all,\n"
           "and a card that fails does not stop the others. Options may stand anywhere; --\n"
           "ends them.\n"
           "\n"
           "Options:\n" +
           CommandLine::OptionsHelp() +
           "\n"
           "Exit status: 0 done, 1 a card could not be read or written, 2 wrong arguments.\n";
}

int DashcamCfg::Run(const std::vector<std::string>& arguments) {
    std::string error;
    const std::optional<CommandLine> line = CommandLine::Parse(arguments, error);
    if (!line) {
        m_err << "dashcam-cfg: " << error << " (see --help)\n";
        return kUsage;
    }
    if (line->help) {
        m_out << HelpText();
        return kOk;
    }
    if (line->version) {
        m_out << "dashcam-cfg " << DASHCAM_VERSION << '\n';
        return kOk;
    }
    // The settings diagnostics are for those who ask for them.
    NullDebugOutput quiet;
    PlatformServices platform{line->verbose ? m_platform.debug : quiet,
                              m_platform.files,
                              m_platform.pcTimeZone,
                              m_platform.volumes,
                              m_platform.registry,
                              m_platform.program,
                              m_platform.viewer,
                              m_platform.timeZones,
                              m_platform.formatter};
    return Dispatch(*line, platform);
}

int DashcamCfg::Dispatch(const CommandLine& line, PlatformServices& platform) {
    const CommandContext context{platform, m_in, m_out, m_err, line};
    const std::string& command = line.command;
    const std::vector<std::string>& operands = line.operands;
    const std::size_t count = operands.size();
    if (command.empty()) {
        m_err << HelpText();
        return kUsage;
    }
    if (command == "fields" && count == 0) {
        return FieldListing(context).Fields();
    }
    if (command == "show" && count == 1) {
        return FieldListing(context).Show(operands[0]);
    }
    if (command == "get" && count >= 2) {
        return FieldListing(context).Get(operands[0], {operands.begin() + 1, operands.end()});
    }
    if (command == "set") {
        return CardBatch(context).Set(operands);
    }
    if (command == "apply") {
        return CardBatch(context).Apply(operands);
    }
    if (command == "export" && count == 1) {
        return Export(context, operands);
    }
    if (command == "diff") {
        return DiffCommand(context).Run(operands);
    }
    if (command == "info" && count == 1) {
        return InfoCommand(context).Run(operands[0]);
    }
    if (command == "clock") {
        return ClockCommand(context).Clock(operands);
    }
    if (command == "touch-calibration") {
        return ClockCommand(context).TouchCalibration(operands);
    }
    m_err << "dashcam-cfg: wrong use of '" << command << "' (see --help)\n";
    return kUsage;
}

} // namespace dashcam
