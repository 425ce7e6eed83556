#include <cstdlib>

#include "platform/profile.h"

namespace vrx {

std::filesystem::path ZentrolithConfigDir() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg && *xdg == '/') return std::filesystem::path(xdg) / "Zentrolith";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : ".") / ".config" / "Zentrolith";
}

std::filesystem::path ProfilePath(std::string_view programName) {
  return ZentrolithConfigDir() / (std::string(programName) + ".conf");
}

}  // namespace vrx
