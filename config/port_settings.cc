#include "config/port_settings.h"

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
  return {profile.ReadString(kSection, kPortKey, defaults.portName),
          profile.ReadInt(kSection, kSpeedKey, defaults.speedIndex)};
}

bool WritePortSettings(ProfileStore& profile, const PortSettings& settings) {
  const bool portStored = profile.WriteString(kSection, kPortKey, settings.portName);
  const bool speedStored = profile.WriteInt(kSection, kSpeedKey, settings.speedIndex);
  return Reported(portStored && speedStored);
}

bool ReadVerifyAfterWrite(ProfileStore& profile) {
  return profile.ReadInt(kSection, kVerifyKey, 0) != 0;
}

bool WriteVerifyAfterWrite(ProfileStore& profile, bool verify) {
  return Reported(profile.WriteInt(kSection, kVerifyKey, verify ? 1 : 0));
}

}  // namespace vrx
