#include "platform/profile_ini.h"
#include "platform/program_profile.h"

namespace vrx {

std::unique_ptr<ProfileStore> OpenProgramProfile(std::string_view programName,
                                                 const SettingsProblemSink& report) {
  return std::make_unique<IniProfile>(ProfilePath(programName), report);
}

}  // namespace vrx
