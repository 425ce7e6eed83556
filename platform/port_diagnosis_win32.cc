// Windows backend: the COM ports are the DOS device names COMn, described by
// their Ports-class device (USB ids, driver, the FTDI latency timer); which
// program holds a port, groups and permissions are not things Windows lets
// an ordinary user see, so those answers stay empty.
#include <windows.h>
// windows.h first: the tool-help header relies on its types.
#include <tlhelp32.h>

#include <algorithm>
#include <cwctype>
#include <vector>

#include "platform/port_devices_win32.h"
#include "platform/port_diagnosis.h"
#include "platform/usb_instance_id.h"
#include "platform/wide_text_win32.h"

namespace vrx {
namespace {

// 3 for "COM3"; 0 for any other name.
int ComNumber(std::wstring_view name) {
  if (name.size() < 4 || name.substr(0, 3) != L"COM") return 0;
  int number = 0;
  for (wchar_t c : name.substr(3)) {
    if (c < L'0' || c > L'9' || number > 9999) return 0;
    number = number * 10 + (c - L'0');
  }
  return number;
}

std::wstring BaseName(const std::string& devicePath) {
  std::wstring name = WidenUtf8(devicePath.substr(devicePath.find_last_of('\\') + 1));
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towupper(c));
  return name;
}

bool DosDeviceExists(const std::wstring& name) {
  wchar_t target[512] = {};
  return QueryDosDeviceW(name.c_str(), target, 511) != 0;
}

}  // namespace

std::map<std::string, std::vector<PortUser>> FindPortUsers(const std::vector<std::string>&) {
  return {};
}

std::vector<PortUser> FindPortUsers(const std::string&) { return {}; }

SerialPortInfo DescribeSerialDevice(const std::string& devicePath) {
  SerialPortInfo info;
  info.devicePath = devicePath;
  const std::wstring name = BaseName(devicePath);
  info.exists = ComNumber(name) > 0 && DosDeviceExists(name);
  info.accessible = info.exists;
  if (const std::optional<PortDevice> device = FindPortDevice(name)) {
    info.product = NarrowToUtf8(device->friendlyName);
    const UsbIds ids = UsbIdsFromInstanceId(NarrowToUtf8(device->instanceId));
    info.vendorId = ids.vendorId;
    info.productId = ids.productId;
    info.driver = NarrowToUtf8(device->service);
    info.latencyTimerMs = device->latencyTimerMs.value_or(-1);
  }
  return info;
}

std::vector<SerialPortInfo> ListSerialPorts() {
  std::vector<wchar_t> names(65536);
  const DWORD length = QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()));
  std::vector<std::pair<int, std::wstring>> ports;
  for (DWORD at = 0; at < length && names[at] != L'\0';) {
    const std::wstring name(names.data() + at);
    at += static_cast<DWORD>(name.size()) + 1;
    if (const int number = ComNumber(name); number > 0) ports.emplace_back(number, name);
  }
  std::sort(ports.begin(), ports.end());
  std::vector<SerialPortInfo> list;
  for (const auto& port : ports)
    list.push_back(DescribeSerialDevice("\\\\.\\" + NarrowToUtf8(port.second)));
  return list;
}

bool UserInGroup(const std::string&) { return true; }

bool ProcessRunning(std::string_view name) {
  const std::wstring wanted = WidenUtf8(name) + L".exe";
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry))
    found = _wcsicmp(entry.szExeFile, wanted.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

}  // namespace vrx
