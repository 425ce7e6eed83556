// The cause lines under the programs' port messages, from what the platform
// backend finds.
#include <cerrno>
#include <cstring>

#include "port_diagnosis.h"
#include "port_messages.h"
#include "port_names.h"

namespace vrx {
namespace {

port_msg::ProcessList AsProcessList(const std::vector<PortUser>& users) {
  port_msg::ProcessList list;
  for (const auto& user : users) list.emplace_back(user.pid, user.command);
  return list;
}

}  // namespace

std::string ExplainPortOpenFailure(std::string_view portName, int bitRate, int error) {
  if (portName.empty()) return port_msg::NoPortSelected();
  if (bitRate <= 0) return port_msg::NoSpeedSelected();
  const std::string path = ResolvePortName(portName);
  if (path.empty()) return port_msg::NotMapped(portName, PortMapPath().string());
  const SerialPortInfo device = DescribeSerialDevice(path);
  if (!device.exists) return port_msg::Missing(path);
  switch (error) {
    case EACCES:
    case EPERM:
      return port_msg::PermissionDenied(path, device.group.empty() ? "dialout" : device.group);
    case EBUSY: {
      const auto users = FindPortUsers(path);
      return users.empty() ? port_msg::InUse(path) : port_msg::InUseBy(path, AsProcessList(users));
    }
    case ENOTTY:
      return port_msg::NotSerial(path);
    default:
      return port_msg::OtherError(path, std::strerror(error));
  }
}

std::string ExplainSilentPort(std::string_view portName) {
  const std::string path = ResolvePortName(portName);
  if (path.empty()) return {};
  const auto users = FindPortUsers(path);
  return users.empty() ? std::string() : port_msg::AlsoOpenBy(path, AsProcessList(users));
}

}  // namespace vrx
