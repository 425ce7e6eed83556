#include "device/usb_adapter.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/expected_conversation.h"

namespace vrx {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(IdentifyAdapterTest, NamesTheChipFromItsUsbIdsOrDriver) {
  EXPECT_EQ(IdentifyAdapter("0403", "6001").chip, AdapterChip::kFtdi);
  EXPECT_EQ(IdentifyAdapter("0403", "6001").name, "FTDI FT232R");
  EXPECT_EQ(IdentifyAdapter("0403", "6015").name, "FTDI FT-X");
  EXPECT_EQ(IdentifyAdapter("0403", "beef").name, "FTDI") << "an unlisted FTDI product";
  EXPECT_EQ(IdentifyAdapter("10C4", "EA60").chip, AdapterChip::kCp210x) << "Windows' upper case";
  EXPECT_EQ(IdentifyAdapter("1a86", "7523").name, "WCH CH340");
  EXPECT_EQ(IdentifyAdapter("067b", "2303").chip, AdapterChip::kProlific);
  // A CDC-ACM device is known by its driver, whoever made it; a known chip
  // wins over the driver.
  EXPECT_EQ(IdentifyAdapter("2e8a", "000a", "cdc_acm").chip, AdapterChip::kCdcAcm);
  EXPECT_EQ(IdentifyAdapter("0403", "6001", "cdc_acm").chip, AdapterChip::kFtdi);
  for (const auto& [vendor, product] :
       {std::pair{"", ""}, {"0403x", "6001"}, {"040", "6001"}, {"1d6b", "0002"}}) {
    EXPECT_EQ(IdentifyAdapter(vendor, product).chip, AdapterChip::kUnknown) << vendor;
    EXPECT_EQ(IdentifyAdapter(vendor, product).name, "");
  }
}

// The whole conversation of a Write that rewrites block 0, as the
// end-to-end tests expect it.
sim::Transcript FullWrite() {
  test::WriteScenario scenario;
  scenario.moduleFlash.fill(0xFF);
  scenario.image.fill(0x00);
  return test::ExpectedWrite(scenario);
}

TEST(ExpectedWriteTimeTest, AgreesWithTheConversationOfAWrite) {
  const sim::Transcript conversation = FullWrite();
  std::size_t hostBytes = 0;
  for (const auto& entry : conversation) {
    if (entry.direction == sim::Direction::kHostToModule) ++hostBytes;
  }
  // Without adapter delay: the line time of every byte, 11 bits at 38400
  // bit/s, and the loader's pauses.
  const double lineSeconds = static_cast<double>(conversation.size()) * 11 / 38400 + 1.1;
  EXPECT_NEAR(static_cast<double>(ExpectedWriteTime(milliseconds(0)).count()), lineSeconds, 1.0);
  // Each host byte waits for its answer at least once: at 16 ms that alone
  // is the floor, and the estimate stays within 10 % above it.
  const double floor16 = static_cast<double>(hostBytes) * 0.016 + 1.1;
  const auto slow = static_cast<double>(ExpectedWriteTime(milliseconds(16)).count());
  EXPECT_GE(slow, floor16);
  EXPECT_LE(slow, floor16 * 1.1);
  EXPECT_EQ(std::chrono::round<std::chrono::minutes>(ExpectedWriteTime(milliseconds(16))).count(),
            8)
      << "about 8 minutes";
}

TEST(ExpectedWriteTimeTest, WarnsFromThreeMilliseconds) {
  EXPECT_FALSE(LatencyMakesWriteSlow(1));
  EXPECT_FALSE(LatencyMakesWriteSlow(2));
  EXPECT_TRUE(LatencyMakesWriteSlow(3));
  EXPECT_TRUE(LatencyMakesWriteSlow(16));
  EXPECT_GT(ExpectedWriteTime(milliseconds(3)), seconds(60));
  EXPECT_LT(ExpectedWriteTime(milliseconds(2)), seconds(70));
}

// vrxtool and the port lists word the same figure: minutes once they are
// worth counting (about 8 at 16 ms), seconds below a minute and a half.
TEST(ExpectedWriteTimeTest, IsToldInWholeMinutesOrSeconds) {
  const WriteTimeToTell slow = ExpectedWriteTimeToTell(16);
  EXPECT_TRUE(slow.inMinutes);
  EXPECT_EQ(slow.amount, 8);
  for (int latency = 0; latency <= 255; ++latency) {
    const long long total = ExpectedWriteTime(milliseconds(latency)).count();
    const WriteTimeToTell told = ExpectedWriteTimeToTell(latency);
    if (told.inMinutes) {
      EXPECT_GE(total, 90) << latency;
      EXPECT_LE(std::abs(told.amount * 60 - total), 30) << latency;
    } else {
      EXPECT_EQ(told.amount, total) << latency;
      EXPECT_LT(total, 90) << latency;
    }
    // A warning always speaks of minutes.
    EXPECT_TRUE(!LatencyMakesWriteSlow(latency) || told.inMinutes) << latency;
  }
}

}  // namespace
}  // namespace vrx
