#include "port_settings.h"

namespace vrx {
namespace {

constexpr const char* kSection = "Option";
constexpr const char* kPortKey = "COM";
constexpr const char* kSpeedKey = "BAUD";
constexpr const char* kVerifyKey = "VERIFY";

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

bool ReadVerifyAfterWrite(ProfileStore& profile) {
  return profile.ReadInt(kSection, kVerifyKey, 0) != 0;
}

bool WriteVerifyAfterWrite(ProfileStore& profile, bool verify) {
  return profile.WriteInt(kSection, kVerifyKey, verify ? 1 : 0);
}

}  // namespace vrx
