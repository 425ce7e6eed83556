#include <cstdlib>

#include "platform/profile.h"

namespace vrx {

// The programs keep their profile in the registry; this folder holds the
// files vrxtool and the port mapping use (%APPDATA%\Zentrolith).
std::filesystem::path ZentrolithConfigDir() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  return std::filesystem::path(appData && *appData ? appData : L".") / L"Zentrolith";
}

std::filesystem::path ProfilePath(std::string_view programName) {
  return ZentrolithConfigDir() / std::filesystem::path(std::string(programName) + ".conf");
}

}  // namespace vrx
