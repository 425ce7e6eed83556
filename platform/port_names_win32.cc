// On Windows a port name is the system's own: "COM3" opens \\.\COM3, and
// the GUIs show the device's friendly name from SetupAPI beside it.
#include <windows.h>
// windows.h first: the SetupAPI headers rely on its types.
#include <devguid.h>
#include <setupapi.h>

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

std::wstring ReadPortNameValue(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  const HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (key == INVALID_HANDLE_VALUE) return {};
  wchar_t value[64] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  const LONG result = RegGetValueW(key, nullptr, L"PortName", RRF_RT_REG_SZ, nullptr, value, &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? UpperCase(value) : std::wstring();
}

}  // namespace

std::wstring PortFriendlyName(const std::wstring& upperName) {
  const HDEVINFO devices =
      SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return {};
  std::wstring found;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; found.empty() && SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    if (ReadPortNameValue(devices, device) != upperName) continue;
    wchar_t name[256] = {};
    if (SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                          reinterpret_cast<BYTE*>(name),
                                          sizeof name - sizeof(wchar_t), nullptr))
      found = name;
  }
  SetupDiDestroyDeviceInfoList(devices);
  return found;
}

namespace {

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
  std::wstring found = PortFriendlyName(upper);
  if (found.empty()) found = DosDeviceTarget(upper);
  return {NarrowToUtf8(found), !found.empty()};
}

}  // namespace vrx
