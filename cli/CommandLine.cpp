#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

namespace dashcam {
namespace {

struct Options {
    QCommandLineOption help{{"h", "help"}, "this text"};
    QCommandLineOption version{"version", "the program's version"};
    QCommandLineOption verbose{{"v", "verbose"}, "the settings diagnostics on standard error"};
    QCommandLineOption json{"json", "output as JSON (show, get, diff, info, fields)"};
    QCommandLineOption force{"force", "write values outside a field's allowed values"};
    QCommandLineOption clear{"clear", "clock: remove time.dat instead"};

    QList<QCommandLineOption> All() const { return {help, version, verbose, json, force, clear}; }
};

} // namespace

std::optional<CommandLine> CommandLine::Parse(const std::vector<std::string>& arguments,
                                              std::string& error) {
    const Options options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.addOptions(options.All());
    QStringList list{QStringLiteral("dashcam-cfg")};
    for (const std::string& argument : arguments) {
        list << QString::fromStdString(argument);
    }
    if (!parser.parse(list)) {
        error = parser.errorText().toStdString();
        if (!error.empty() && error.back() == '.') {
            error.pop_back();
        }
        return std::nullopt;
    }
    CommandLine line;
    line.help = parser.isSet(options.help);
    line.version = parser.isSet(options.version);
    line.verbose = parser.isSet(options.verbose);
    line.json = parser.isSet(options.json);
    line.force = parser.isSet(options.force);
    line.clear = parser.isSet(options.clear);
    for (const QString& operand : parser.positionalArguments()) {
        line.operands.push_back(operand.toStdString());
    }
    if (!line.operands.empty()) {
        line.command = line.operands.front();
        line.operands.erase(line.operands.begin());
    }
    return line;
}

std::string CommandLine::OptionsHelp() {
    std::string text;
    for (const QCommandLineOption& option : Options().All()) {
        QString names;
        for (const QString& name : option.names()) {
            names += (names.isEmpty() ? "" : ", ") + QString(name.size() == 1 ? "-" : "--") + name;
        }
        text += "  " + names.leftJustified(16).toStdString() + option.description().toStdString() +
                "\n";
    }
    return text;
}

} // namespace dashcam
