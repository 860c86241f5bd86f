#pragma once

#include <optional>
#include <string>
#include <vector>

namespace dashcam {

// The command line's arguments, with its options taken from any position.
struct CommandLine {
    std::string command;               // empty when only options were given
    std::vector<std::string> operands; // the command's own arguments, in order
    bool help = false;
    bool version = false;
    bool verbose = false;
    bool json = false;
    bool force = false;
    bool clear = false;

    // Parses the arguments (program name excluded); on failure says why in error. A "--" ends
    // the options, so that a card folder starting with '-' can be named.
    static std::optional<CommandLine> Parse(const std::vector<std::string>& arguments,
                                            std::string& error);
    // The options' lines of the help text.
    static std::string OptionsHelp();
};

} // namespace dashcam
