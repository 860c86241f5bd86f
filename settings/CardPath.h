#pragma once

#include <string>
#include <vector>

namespace dashcam {

// The card folder from the command-line arguments (program name excluded): the one argument
// as given, or empty for any other count. A folder named without a trailing separator gets one,
// so the card's file names are formed inside it and not beside it. A relative folder is made
// absolute against the working folder.
std::string CardPathFromArguments(const std::vector<std::string>& arguments);

} // namespace dashcam
