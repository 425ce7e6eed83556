#include "config/port_settings.h"

#include <iostream>

#include "platform/module_path.h"
#include "platform/port_names.h"
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

std::string StoredPortText(ProfileStore& profile) {
  return profile.ReadString(kSection, kPortKey, "");
}

bool HasStoredPort(ProfileStore& profile) { return IsComName(StoredPortText(profile)); }

PortSettings ReadPortSettings(ProfileStore& profile) {
  PortSettings settings;
  ProfileItem items[] = {{kPortKey, std::string()}, {kSpeedKey, settings.speedIndex}};
  profile.ReadValues(kSection, items);
  if (std::string& stored = std::get<std::string>(items[0].value); IsComName(stored))
    settings.portName = std::move(stored);
  settings.speedIndex = std::get<int>(items[1].value);
  return settings;
}

bool WritePortSettings(ProfileStore& profile, const PortSettings& settings) {
  const ProfileItem items[] = {{kPortKey, settings.portName}, {kSpeedKey, settings.speedIndex}};
  // A device path leaves the stored port as it was.  No port chosen is
  // stored as such: read back, it selects the list's first entry.
  const bool storable = settings.portName.empty() || IsComName(settings.portName);
  const std::span<const ProfileItem> stored =
      storable ? std::span(items) : std::span(items).subspan(1);
  return Reported(profile.WriteValues(kSection, stored));
}

bool ReadVerifyAfterWrite(ProfileStore& profile) {
  return profile.ReadInt(kSection, kVerifyKey, 0) != 0;
}

bool WriteVerifyAfterWrite(ProfileStore& profile, bool verify) {
  return Reported(profile.WriteInt(kSection, kVerifyKey, verify ? 1 : 0));
}

}  // namespace vrx
