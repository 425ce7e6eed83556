// On Windows a port name is the system's own: "COM3" opens \\.\COM3, and
// the GUIs show the device's friendly name from SetupAPI beside it.
#include <windows.h>

#include <cwctype>

#include "platform/port_devices_win32.h"
#include "platform/port_names.h"
#include "platform/wide_text_win32.h"

namespace vrx {
namespace {

std::wstring UpperCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

// The kernel device a DOS name stands for ("\Device\Serial0"); empty when
// the name stands for nothing.
std::wstring DosDeviceTarget(const std::wstring& upperName) {
  wchar_t target[512] = {};
  if (QueryDosDeviceW(upperName.c_str(), target, 511) == 0) return {};
  return target;
}

}  // namespace

std::string ResolvePortName(std::string_view name) {
  if (name.empty()) return {};
  if (name.front() == '\\') return std::string(name);  // already a device path
  return "\\\\.\\" + NarrowToUtf8(UpperCase(WidenUtf8(name)));
}

std::string PortNameForUser(std::string_view devicePath) {
  constexpr std::string_view kDevicePrefix = "\\\\.\\";
  if (devicePath.starts_with(kDevicePrefix)) devicePath.remove_prefix(kDevicePrefix.size());
  return std::string(devicePath);
}

// What the port leads to: the device's friendly name, else the kernel
// device behind the DOS name.
PortLocation LocatePortName(std::string_view name) {
  const std::wstring upper = UpperCase(WidenUtf8(name));
  const std::optional<PortDevice> device = FindPortDevice(upper);
  std::wstring found = device ? device->friendlyName : std::wstring();
  if (found.empty()) found = DosDeviceTarget(upper);
  return {NarrowToUtf8(found), !found.empty()};
}

}  // namespace vrx
