#include "tools/vrxsim/adapter_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vrx::sim {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

constexpr int64_t kMs = 1'000'000;
constexpr int64_t kUs = 1'000;

AdapterSettings Adapter(std::string_view name) {
  auto parsed = ParseAdapter(name);
  EXPECT_TRUE(parsed.has_value()) << name;
  return parsed.value_or(AdapterSettings{});
}

// When each byte of `count` bytes, arriving `gapNs` apart from 0 and
// valued by position, is handed to the host.
std::vector<int64_t> SendTimes(AdapterDelivery& adapter, int count, int64_t gapNs) {
  for (int i = 0; i < count; ++i) adapter.Arrive(static_cast<uint8_t>(i), i * gapNs);
  std::vector<int64_t> times;
  while (auto next = adapter.NextSendNs()) {
    for (uint8_t byte : adapter.TakeSent(*next)) {
      EXPECT_EQ(byte, static_cast<uint8_t>(times.size())) << "order kept";
      times.push_back(*next);
    }
  }
  return times;
}

TEST(ParseAdapterTest, ReadsEveryModelAndRefusesTheRest) {
  EXPECT_EQ(Adapter("ideal").kind, AdapterKind::kIdeal);
  EXPECT_EQ(Adapter("ftdi").kind, AdapterKind::kFtdi);
  EXPECT_EQ(Adapter("ftdi").latencyMs, 16);
  EXPECT_EQ(Adapter("ftdi:1").latencyMs, 1);
  EXPECT_EQ(Adapter("ftdi:255").latencyMs, 255);
  EXPECT_EQ(Adapter("cp210x").kind, AdapterKind::kCp210x);
  EXPECT_EQ(Adapter("ch34x").kind, AdapterKind::kCh34x);
  EXPECT_EQ(Adapter("cdc").kind, AdapterKind::kCdc);
  for (const char* bad : {"", "ftdi:", "ftdi:0", "ftdi:256", "ftdi:16ms", "ftdi16", "ftdi:-1",
                          "FTDI", "cp2102", "ideal:1", "cdc:1"}) {
    EXPECT_FALSE(ParseAdapter(bad).has_value()) << bad;
  }
  for (const char* name : {"ideal", "ftdi:16", "ftdi:2", "cp210x", "ch34x", "cdc"}) {
    EXPECT_EQ(AdapterName(Adapter(name)), name);
  }
}

TEST(AdapterDeliveryTest, IdealHandsOnEachByteAsItArrives) {
  AdapterDelivery adapter(Adapter("ideal"));
  EXPECT_EQ(adapter.NextSendNs(), std::nullopt);
  EXPECT_THAT(SendTimes(adapter, 3, 286 * kUs), ElementsAre(0, 286 * kUs, 572 * kUs));
}

TEST(AdapterDeliveryTest, FtdiHoldsALoneByteUntilTheLatencyTimerRunsOut) {
  AdapterDelivery adapter(Adapter("ftdi:16"));
  adapter.Arrive(0x5A, 300 * kUs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(16 * kMs));
  EXPECT_THAT(adapter.TakeSent(16 * kMs - 1), IsEmpty());
  EXPECT_THAT(adapter.TakeSent(16 * kMs), ElementsAre(0x5A));
  // The timer restarted with that packet: an answer to the host's next
  // byte waits for the next 16 ms, however soon it comes.
  adapter.Arrive(0x00, 16 * kMs + 600 * kUs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(32 * kMs));
  adapter.TakeSent(32 * kMs);
  // Status-only packets at 48 ms and 64 ms keep the grid while idle.
  adapter.Arrive(0x00, 50 * kMs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(64 * kMs));
}

TEST(AdapterDeliveryTest, FtdiSendsOnTheEventCharacterOnlyBehindAnotherByte) {
  AdapterSettings settings = Adapter("ftdi:16");
  settings.eventChar = 0x00;
  AdapterDelivery adapter(settings);
  // A lone acknowledgement is the first byte in the buffer, where the chip
  // does not look for the event character: it waits for the timer.
  adapter.Arrive(0x00, 300 * kUs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(16 * kMs));
  EXPECT_THAT(adapter.TakeSent(16 * kMs), ElementsAre(0x00));
  // Behind another byte it sends both at once...
  adapter.Arrive(0x5B, 17 * kMs);
  adapter.Arrive(0x00, 17 * kMs + 286 * kUs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(17 * kMs + 286 * kUs));
  EXPECT_THAT(adapter.TakeSent(17 * kMs + 286 * kUs), ElementsAre(0x5B, 0x00));
  // ...and the timer restarts with that packet.
  adapter.Arrive(0x0B, 18 * kMs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(33 * kMs + 286 * kUs));
  // Another value is no event.
  adapter.Arrive(0x0A, 18 * kMs + 286 * kUs);
  EXPECT_THAT(adapter.NextSendNs(), Optional(33 * kMs + 286 * kUs));
}

TEST(AdapterDeliveryTest, FtdiSendsAFullPacketOrWhatTheTimerFinds) {
  // A record read back (128 bytes, 286.458 us apart at 38400 bit/s) under
  // the default timer: the timer runs out before 62 bytes are in.  Bytes
  // 0-55 have arrived by 16 ms, 56-111 by 32 ms, the last 16 go at 48 ms.
  AdapterDelivery slowTimer(Adapter("ftdi:16"));
  auto times = SendTimes(slowTimer, 128, 286'458);
  ASSERT_EQ(times.size(), 128u);
  EXPECT_EQ(times[55], 16 * kMs);
  EXPECT_EQ(times[56], 32 * kMs);
  EXPECT_EQ(times[111], 32 * kMs);
  EXPECT_EQ(times[112], 48 * kMs);
  EXPECT_EQ(times[127], 48 * kMs);
  // A long timer: two full packets leave as their 62nd byte arrives, and
  // the last 4 bytes wait 255 ms from the second.
  AdapterDelivery longTimer(Adapter("ftdi:255"));
  times = SendTimes(longTimer, 128, 100 * kUs);
  ASSERT_EQ(times.size(), 128u);
  EXPECT_EQ(times[0], 6100 * kUs);
  EXPECT_EQ(times[61], 6100 * kUs);
  EXPECT_EQ(times[62], 12300 * kUs);
  EXPECT_EQ(times[123], 12300 * kUs);
  EXPECT_EQ(times[124], 267300 * kUs);
  EXPECT_EQ(times[127], 267300 * kUs);
}

TEST(AdapterDeliveryTest, FrameModelsSendOnePacketPerMillisecondFrame) {
  AdapterDelivery cp210x(Adapter("cp210x"));
  EXPECT_THAT(SendTimes(cp210x, 4, 300 * kUs),  // arrive 0, 0.3, 0.6, 0.9 ms
              ElementsAre(0, 1 * kMs, 1 * kMs, 1 * kMs));
  // A byte that arrives just after a frame waits for the next one.
  AdapterDelivery cdc(Adapter("cdc"));
  cdc.Arrive(0x00, 5 * kMs + 1);
  EXPECT_THAT(cdc.NextSendNs(), Optional(6 * kMs));
  // The CH34x's 32-byte packets: 40 bytes at once need two frames.
  AdapterDelivery ch34x(Adapter("ch34x"));
  for (int i = 0; i < 40; ++i) ch34x.Arrive(static_cast<uint8_t>(i), 500 * kUs);
  EXPECT_EQ(ch34x.TakeSent(1 * kMs).size(), 32u);
  EXPECT_THAT(ch34x.NextSendNs(), Optional(2 * kMs));
  EXPECT_EQ(ch34x.TakeSent(2 * kMs).size(), 8u);
  EXPECT_EQ(ch34x.NextSendNs(), std::nullopt);
}

}  // namespace
}  // namespace vrx::sim
