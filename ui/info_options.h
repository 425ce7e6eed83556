// --help and --version for the window programs: answered on stdout before
// the toolkit starts, so they work without a display (and from scripts).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vrx::ui {

// If `arguments` (program name first) holds exactly one argument and it is
// --help or --version, prints the answer and returns the exit status;
// otherwise returns nothing and the program starts as usual.
std::optional<int> AnswerInfoOption(std::span<const std::string> arguments,
                                    std::string_view programName, std::string_view usage);

}  // namespace vrx::ui
