// Windows' names of a port's device, read on any platform: the USB ids in
// a device instance id and the FTDI driver's latency timer value.
#include "platform/usb_instance_id.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace vrx {
namespace {

struct InstanceCase {
  const char* instanceId;
  const char* vendorId;
  const char* productId;
};

void ExpectIds(std::initializer_list<InstanceCase> cases) {
  for (const InstanceCase& c : cases) {
    const UsbIds ids = UsbIdsFromInstanceId(c.instanceId);
    EXPECT_EQ(ids.vendorId, c.vendorId) << c.instanceId;
    EXPECT_EQ(ids.productId, c.productId) << c.instanceId;
  }
}

TEST(UsbInstanceIdTest, FindsTheIdsAsEachDriverWritesThem) {
  ExpectIds({
      // The FTDI driver's own bus joins the parts with '+' and appends the
      // chip's serial number (with the channel letter of a multi-port chip).
      {R"(FTDIBUS\VID_0403+PID_6001+A50285BIA\0000)", "0403", "6001"},
      {R"(FTDIBUS\VID_0403+PID_6010+FT4ZR9WZA\0000)", "0403", "6010"},
      // Windows' USB drivers join them with '&', with the interface of a
      // composite device after them.
      {R"(USB\VID_10C4&PID_EA60\0001)", "10C4", "EA60"},
      {R"(USB\VID_1A86&PID_7523\5&2C4D1B3&0&2)", "1A86", "7523"},
      {R"(USB\VID_2E8A&PID_000A&MI_00\6&3A1B2C&0&0000)", "2E8A", "000A"},
      {R"(usb\vid_10c4&pid_ea60\0001)", "10c4", "ea60"},
      // A serial number that looks like an id does not displace the real one.
      {R"(FTDIBUS\VID_0403+PID_6015+PID_1234\0000)", "0403", "6015"},
  });
}

TEST(UsbInstanceIdTest, PortsWithoutUsbIdsHaveNone) {
  ExpectIds({
      {R"(ACPI\PNP0501\1)", "", ""},
      {"", "", ""},
      {"FTDIBUS", "", ""},
      // The instance's own component is not the device's.
      {R"(ROOT\PORTS\VID_0403&PID_6001)", "", ""},
  });
}

TEST(UsbInstanceIdTest, EachIdIsReadOnItsOwn) {
  ExpectIds({
      {R"(USB\VID_04+PID_6001\0000)", "", "6001"},
      {R"(USB\VID_XY03&PID_6001\0000)", "", "6001"},
      {R"(USB\VID_04030&PID_60011\0000)", "", ""},
      {R"(USB\VID_0403\0000)", "0403", ""},
  });
}

TEST(UsbInstanceIdTest, LatencyTimerTakesTheDriversRangeOnly) {
  EXPECT_EQ(LatencyTimerFromRegistry(16u), 16);
  EXPECT_EQ(LatencyTimerFromRegistry(1u), 1);
  EXPECT_EQ(LatencyTimerFromRegistry(255u), 255);
  EXPECT_EQ(LatencyTimerFromRegistry(0u), std::nullopt);
  EXPECT_EQ(LatencyTimerFromRegistry(256u), std::nullopt);
  EXPECT_EQ(LatencyTimerFromRegistry(0xFFFFFFFFu), std::nullopt);
  EXPECT_EQ(LatencyTimerFromRegistry(std::nullopt), std::nullopt) << "no value: another driver";
}

}  // namespace
}  // namespace vrx
