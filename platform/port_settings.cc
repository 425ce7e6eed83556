#include "port_settings.h"

namespace vrx {
namespace {

constexpr const char* kSection = "Option";
constexpr const char* kPortKey = "COM";
constexpr const char* kSpeedKey = "BAUD";

}  // namespace

PortSettings ReadPortSettings(ProfileStore& profile) {
  const PortSettings defaults;
  return {profile.ReadString(kSection, kPortKey, defaults.portName),
          profile.ReadInt(kSection, kSpeedKey, defaults.speedIndex)};
}

bool WritePortSettings(ProfileStore& profile, const PortSettings& settings) {
  const bool portStored = profile.WriteString(kSection, kPortKey, settings.portName);
  const bool speedStored = profile.WriteInt(kSection, kSpeedKey, settings.speedIndex);
  return portStored && speedStored;
}

}  // namespace vrx
