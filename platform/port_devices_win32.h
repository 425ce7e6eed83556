// Shared by the Windows port backends: what SetupAPI and the device's
// registry parameters say of a COM port.
#pragma once

#include <optional>
#include <string>

namespace vrx {

struct PortDevice {
  std::wstring friendlyName;  // "USB Serial Port (COM3)"
  std::wstring instanceId;    // "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000"
  std::wstring service;       // the port's driver: "FTSER2K", "usbser", ...
  // The FTDI driver keeps its latency timer beside PortName, in the
  // device's "Device Parameters" key; other drivers have none.
  std::optional<int> latencyTimerMs;
};

// The present port device whose PortName value is `upperName` ("COM3");
// none when there is no such device.
std::optional<PortDevice> FindPortDevice(const std::wstring& upperName);

}  // namespace vrx
