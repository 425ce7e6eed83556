// On Linux a port name stands for a device path (see port_names.h).
#include <system_error>

#include "port_names.h"

namespace vrx {

std::string ResolvePortName(std::string_view name) {
  if (!name.empty() && name.front() == '/') return std::string(name);
  return ResolvePortName(name, ReadPortMap(PortMapPath()), ListUsbSerialDevices());
}

std::string DescribePortName(std::string_view name) {
  const std::string path = ResolvePortName(name);
  if (path.empty()) return "not connected";
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return path + " (not connected)";
  return path;
}

}  // namespace vrx
