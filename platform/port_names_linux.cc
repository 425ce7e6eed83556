// On Linux a port name stands for a device path (see port_names.h).
#include <system_error>

#include "port_names.h"
#include "port_messages.h"
#include "settings_file.h"

namespace vrx {

std::string ResolvePortName(std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  const auto mapText = ReadSettingsFile(PortMapPath());
  // With the user's map unusable, COMn must not quietly become whatever
  // adapter happens to be n-th: that may be another module.
  if (!mapText) return {};
  return ResolvePortName(name, ParsePortMap(*mapText), ListUsbSerialDevices());
}

std::string DescribePortName(std::string_view name) {
  const std::string path = ResolvePortName(name);
  if (path.empty()) return port_msg::NotConnected();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return port_msg::PathNotConnected(path);
  return path;
}

}  // namespace vrx
