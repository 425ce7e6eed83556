#include <gtest/gtest.h>

#include "tools/vrxtool/console_output.h"

namespace vrxtool {
namespace {

using Clock = vrx::TimeLeftEstimator::Clock;
const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);

TEST(FormatProgressTest, ShowsBytesThenRateAndTimeLeftOnceMeasured) {
  vrx::TimeLeftEstimator estimate;
  estimate.Begin(28672, kStart);
  estimate.Update(0, kStart);
  EXPECT_EQ(FormatProgress(estimate, 200), "[--------------------] 0.0/28.0 KB");
  // 7168 bytes in 4 s: 1.75 KB/s, 21504 bytes left -> 12 s.
  estimate.Update(7168, kStart + std::chrono::seconds(4));
  EXPECT_EQ(FormatProgress(estimate, 200),
            "[#####---------------] 7.0/28.0 KB  1.8 KB/s  0:12 left");
  // An FTDI pace of 62 B/s: 21504 bytes left -> 346.8 s, 5:47.
  estimate.Begin(28672, kStart);
  estimate.Update(7168, kStart + std::chrono::milliseconds(7168 * 1000 / 62));
  EXPECT_EQ(FormatProgress(estimate, 200),
            "[#####---------------] 7.0/28.0 KB  0.1 KB/s  5:47 left");
  EXPECT_EQ(FormatProgress(estimate, 10), "[#####----");
}

}  // namespace
}  // namespace vrxtool
