#include "platform/module_path.h"

#include <system_error>

namespace vrx {

std::filesystem::path OwnExecutablePath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

std::filesystem::path SiblingProgramPath(std::string_view programName) {
  return OwnExecutablePath().parent_path() / programName;
}

std::string ProgramName() { return OwnExecutablePath().stem().string(); }

}  // namespace vrx
