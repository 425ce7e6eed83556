// Scripts the loader's side of each command onto a FakeDevice, taken from
// the conversation a correct host has with the module (expected_conversation.h),
// so the host's transcript can be compared byte for byte with
// FakeDevice::ExpectedHostBytes().
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "config/flash_image.h"
#include "tests/device/fake_device.h"

namespace vrx::test {

using Record = std::span<const uint8_t, 128>;

void ScriptConnect(FakeDevice& device, uint8_t answer);
void ScriptEnter(FakeDevice& device);
void ScriptReadBlock(FakeDevice& device, uint16_t address, Record data);
void ScriptErase(FakeDevice& device, uint8_t mask, uint8_t status);
// One attempt at a record, ending with the device's `status`.
void ScriptRecordAttempt(FakeDevice& device, uint16_t address, Record data, uint8_t status);
// A whole accepted write of `length` bytes (a multiple of 128) from `data`.
void ScriptWrite(FakeDevice& device, uint16_t address, const uint8_t* data, std::size_t length);
void ScriptExit(FakeDevice& device);

// A complete programming of `image`, with the module's block 0 holding
// `moduleBlock0` (1024 bytes) and the module echoing `exitEcho` to 0x5D.
void ScriptProgram(FakeDevice& device, const FlashImage& image,
                   std::span<const uint8_t> moduleBlock0, bool fromApplication,
                   uint8_t exitEcho = 0x5D);

}  // namespace vrx::test
