// On Linux a port name stands for a device path (see port_names.h).
#include <system_error>

#include "platform/port_names.h"
#include "platform/settings_file.h"

namespace vrx {

std::string ResolvePortName(std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  const auto mapText = ReadSettingsFile(PortMapPath(), {});
  // With the user's map unusable, COMn must not quietly become whatever
  // adapter happens to be n-th: that may be another module.
  if (!mapText) return {};
  return ResolvePortName(name, ParsePortMap(*mapText), ListUsbSerialDevices());
}

std::string PortNameForUser(std::string_view devicePath) { return std::string(devicePath); }

PortLocation LocatePortName(std::string_view name) {
  PortLocation location{ResolvePortName(name)};
  std::error_code ec;
  location.exists = !location.path.empty() && std::filesystem::exists(location.path, ec);
  return location;
}

}  // namespace vrx
