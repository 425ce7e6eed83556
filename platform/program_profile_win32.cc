#include "platform/profile_registry_win32.h"
#include "platform/program_profile.h"

namespace vrx {

std::unique_ptr<ProfileStore> OpenProgramProfile(std::string_view programName,
                                                 const SettingsProblemSink&) {
  return std::make_unique<RegistryProfile>(programName);
}

}  // namespace vrx
