#include "ui/app_profile.h"

#include <memory>

#include "platform/module_path.h"
#include "platform/program_profile.h"

namespace vrx::ui {
namespace {

std::unique_ptr<ProfileStore>& Current() {
  static std::unique_ptr<ProfileStore> profile;
  return profile;
}

}  // namespace

ProfileStore& AppProfile() {
  if (!Current()) Current() = OpenProgramProfile(ProgramName());
  return *Current();
}

void UseAppProfile(std::string_view programName) { Current() = OpenProgramProfile(programName); }

}  // namespace vrx::ui
