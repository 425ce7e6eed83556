#include "platform/usb_instance_id.h"

#include <algorithm>
#include <cctype>

namespace vrx {
namespace {

// The device's component of an instance id: "VID_0403+PID_6001+A50285BIA"
// of "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000".
std::string_view DeviceComponent(std::string_view instanceId) {
  const std::size_t slash = instanceId.find('\\');
  if (slash == std::string_view::npos) return {};
  instanceId.remove_prefix(slash + 1);
  return instanceId.substr(0, instanceId.find('\\'));
}

bool IsKeyWithFourHexDigits(std::string_view part, std::string_view key) {
  if (part.size() != key.size() + 4) return false;
  const auto sameLetter = [](char keyLetter, char letter) {
    return std::toupper(static_cast<unsigned char>(letter)) == keyLetter;
  };
  return std::equal(key.begin(), key.end(), part.begin(), sameLetter) &&
         std::all_of(part.begin() + static_cast<std::ptrdiff_t>(key.size()), part.end(),
                     [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
}

// The digits of the part "VID_xxxx" (for key "VID_"); the USB driver joins
// the parts with '&', the FTDI driver with '+'.
std::string IdPart(std::string_view component, std::string_view key) {
  while (!component.empty()) {
    const std::size_t end = component.find_first_of("&+");
    const std::string_view part = component.substr(0, end);
    if (IsKeyWithFourHexDigits(part, key)) return std::string(part.substr(key.size()));
    if (end == std::string_view::npos) break;
    component.remove_prefix(end + 1);
  }
  return {};
}

}  // namespace

UsbIds UsbIdsFromInstanceId(std::string_view instanceId) {
  const std::string_view component = DeviceComponent(instanceId);
  return {IdPart(component, "VID_"), IdPart(component, "PID_")};
}

std::optional<int> LatencyTimerFromRegistry(std::optional<uint32_t> value) {
  if (!value || *value < 1 || *value > 255) return std::nullopt;
  return static_cast<int>(*value);
}

}  // namespace vrx
