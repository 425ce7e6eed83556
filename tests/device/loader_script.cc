#include "loader_script.h"

namespace vrx::testing {
namespace {

void ScriptAddress(FakeDevice& device, uint16_t value, std::vector<uint8_t> afterHigh = {}) {
  device.On(static_cast<uint8_t>(value & 0xFF), {0x00});
  afterHigh.insert(afterHigh.begin(), 0x00);
  device.On(static_cast<uint8_t>(value >> 8), afterHigh);
}

}  // namespace

void ScriptConnect(FakeDevice& device, uint8_t answer) { device.On(0xC4, {answer}); }

void ScriptEnter(FakeDevice& device) { device.On(0xC3, {0xFA}).On(0x3C, {0xFA}); }

void ScriptReadBlock(FakeDevice& device, uint16_t address, Record data) {
  device.On(0x11, {0x11});
  ScriptAddress(device, address, std::vector<uint8_t>(data.begin(), data.end()));
}

void ScriptErase(FakeDevice& device, uint8_t mask, uint8_t status) {
  device.On(0xA5, {0xA5}).On(mask, {0x00, status});
}

void ScriptRecordAttempt(FakeDevice& device, uint16_t address, Record data, uint8_t status) {
  device.On(0x5B, {0x5B});
  ScriptAddress(device, address);
  unsigned sum = 0;
  for (std::size_t i = 0; i < data.size(); ++i) {
    sum += data[i];
    // The last data byte's 0x00 is followed by the unasked 0x0B.
    device.On(data[i], i + 1 == data.size() ? std::vector<uint8_t>{0x00, 0x0B}
                                            : std::vector<uint8_t>{0x00});
  }
  device.On(static_cast<uint8_t>(sum & 0xFF), {0x00});
  device.On(static_cast<uint8_t>((sum >> 8) & 0xFF), {0x00, status});
}

void ScriptWrite(FakeDevice& device, uint16_t address, const uint8_t* data, std::size_t length) {
  device.On(0x5A, {0x5A});
  for (std::size_t offset = 0; offset < length; offset += 128) {
    ScriptRecordAttempt(device, static_cast<uint16_t>(address + offset),
                        Record(data + offset, 128), 0x0A);
  }
  device.On(0x5C, {0x5C});
}

void ScriptExit(FakeDevice& device) { device.On(0x5D, {0x5D}); }

void ScriptProgram(FakeDevice& device, const FlashImage& image,
                   std::span<const uint8_t> moduleBlock0, bool fromApplication,
                   uint8_t exitEcho) {
  ScriptConnect(device, fromApplication ? 0xFA : 0xC4);
  if (fromApplication) ScriptEnter(device);
  for (uint16_t address = 0; address < 0x400; address += 128)
    ScriptReadBlock(device, address, Record(moduleBlock0.data() + address, 128));
  if (!std::equal(moduleBlock0.begin(), moduleBlock0.end(), image.begin())) {
    ScriptErase(device, 0x01, 0x09);
    ScriptWrite(device, 0, image.data(), 0x400);
  }
  ScriptErase(device, 0x10, 0x09);
  for (uint16_t address = 0x1000; address < 0x8000; address += 0x800)
    ScriptWrite(device, address, image.data() + address, 0x800);
  device.On(0x5D, {exitEcho});
}

}  // namespace vrx::testing
