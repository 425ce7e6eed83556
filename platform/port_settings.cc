#include "platform/port_settings.h"

#include <iostream>

#include "platform/module_path.h"
#include "resources/port_messages.h"

namespace vrx {
namespace {

constexpr const char* kSection = "Option";
constexpr const char* kPortKey = "COM";
constexpr const char* kSpeedKey = "BAUD";
constexpr const char* kVerifyKey = "VERIFY";

// A setting that could not be stored is not worth interrupting the user
// for: the work itself succeeded.  stderr says so.
bool Reported(bool stored) {
  if (!stored) std::cerr << port_msg::SettingsNotStored(ProgramName()) << '\n';
  return stored;
}

}  // namespace

bool HasStoredPort(ProfileStore& profile) {
  return !profile.ReadString(kSection, kPortKey, "").empty();
}

PortSettings ReadPortSettings(ProfileStore& profile) {
  const PortSettings defaults;
  ProfileItem items[] = {{kPortKey, defaults.portName}, {kSpeedKey, defaults.speedIndex}};
  profile.ReadValues(kSection, items);
  return {std::get<std::string>(items[0].value), std::get<int>(items[1].value)};
}

bool WritePortSettings(ProfileStore& profile, const PortSettings& settings) {
  const ProfileItem items[] = {{kPortKey, settings.portName}, {kSpeedKey, settings.speedIndex}};
  return Reported(profile.WriteValues(kSection, items));
}

bool ReadVerifyAfterWrite(ProfileStore& profile) {
  return profile.ReadInt(kSection, kVerifyKey, 0) != 0;
}

bool WriteVerifyAfterWrite(ProfileStore& profile, bool verify) {
  return Reported(profile.WriteInt(kSection, kVerifyKey, verify ? 1 : 0));
}

}  // namespace vrx
