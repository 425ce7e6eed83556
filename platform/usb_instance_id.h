// What Windows' names of a serial port's device say about the USB adapter
// behind it, read without Windows: the device instance id and the FTDI
// driver's registry parameters.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrx {

struct UsbIds {
  std::string vendorId;  // four hex digits as written, "" when absent
  std::string productId;
};

// The vendor and product ids in a device instance id: the USB driver's
// "USB\VID_10C4&PID_EA60\0001" or the FTDI driver's
// "FTDIBUS\VID_0403+PID_6001+A50285BIA\0000" (any case).
UsbIds UsbIdsFromInstanceId(std::string_view instanceId);

// The FTDI driver's LatencyTimer value as the programs take it: 1 to 255
// ms, the range the driver offers; none for anything else.
std::optional<int> LatencyTimerFromRegistry(std::optional<uint32_t> value);

}  // namespace vrx
