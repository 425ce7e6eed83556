// The present devices of the Ports class, each matched to its COM name by
// the PortName value in its hardware key ("Device Parameters" under its
// instance in HKLM\SYSTEM\CurrentControlSet\Enum).
#include <windows.h>
// windows.h first: the SetupAPI headers rely on its types.
#include <devguid.h>
#include <setupapi.h>

#include <cwctype>

#include "platform/port_devices_win32.h"
#include "platform/usb_instance_id.h"

namespace vrx {
namespace {

std::wstring UpperCase(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
  return text;
}

std::wstring ReadText(HKEY key, const wchar_t* name) {
  wchar_t value[256] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  const LONG result = RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
  return result == ERROR_SUCCESS ? value : std::wstring();
}

std::optional<uint32_t> ReadNumber(HKEY key, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(key, nullptr, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

std::wstring DeviceText(HDEVINFO devices, SP_DEVINFO_DATA& device, DWORD property) {
  wchar_t text[256] = {};
  if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, property, nullptr,
                                         reinterpret_cast<BYTE*>(text),
                                         sizeof text - sizeof(wchar_t), nullptr))
    return {};
  return text;
}

std::wstring InstanceId(HDEVINFO devices, SP_DEVINFO_DATA& device) {
  wchar_t id[512] = {};  // device instance ids are at most 200 characters
  if (!SetupDiGetDeviceInstanceIdW(devices, &device, id, 511, nullptr)) return {};
  return id;
}

}  // namespace

std::optional<PortDevice> FindPortDevice(const std::wstring& upperName) {
  const HDEVINFO devices =
      SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
  if (devices == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<PortDevice> found;
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; !found && SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
    const HKEY parameters =
        SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (parameters == INVALID_HANDLE_VALUE) continue;
    if (UpperCase(ReadText(parameters, L"PortName")) == upperName) {
      found.emplace();
      found->latencyTimerMs = LatencyTimerFromRegistry(ReadNumber(parameters, L"LatencyTimer"));
      found->friendlyName = DeviceText(devices, device, SPDRP_FRIENDLYNAME);
      found->service = DeviceText(devices, device, SPDRP_SERVICE);
      found->instanceId = InstanceId(devices, device);
    }
    RegCloseKey(parameters);
  }
  SetupDiDestroyDeviceInfoList(devices);
  return found;
}

}  // namespace vrx
