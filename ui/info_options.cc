#include "ui/info_options.h"

#include <iostream>

#include "resources/program_version.h"

namespace vrx::ui {

std::optional<int> AnswerInfoOption(std::span<const std::string> arguments,
                                    std::string_view programName, std::string_view usage) {
  // Anything longer is a normal start: the writer ignores unknown switches.
  if (arguments.size() != 2) return std::nullopt;
  if (arguments[1] == "--help") {
    std::cout << usage << std::flush;
    return 0;
  }
  if (arguments[1] == "--version") {
    std::cout << programName << ' ' << kProductVersion << '\n' << std::flush;
    return 0;
  }
  return std::nullopt;
}

}  // namespace vrx::ui
