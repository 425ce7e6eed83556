#include "device/time_left.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;
using Clock = TimeLeftEstimator::Clock;

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(5);

TEST(TimeLeftEstimatorTest, FollowsThePaceMeasuredSoFar) {
  TimeLeftEstimator estimate;
  estimate.Begin(28672, kStart);
  // 62 bytes a second (an FTDI chip at 16 ms): 28052 bytes left -> 452.45 s.
  estimate.Update(620, kStart + seconds(10));
  ASSERT_TRUE(estimate.BytesPerSecond().has_value());
  EXPECT_DOUBLE_EQ(*estimate.BytesPerSecond(), 62.0);
  EXPECT_EQ(estimate.Left(), seconds(453));
  // The line got faster: the pace is the whole step's, 28620 bytes in
  // 20 s -> 1431 B/s, 52 bytes left -> 0.036 s, shown as a whole second.
  estimate.Update(28620, kStart + seconds(20));
  EXPECT_EQ(estimate.Left(), seconds(1));
  estimate.Update(28672, kStart + seconds(21));
  EXPECT_EQ(estimate.Left(), seconds(0));
}

TEST(TimeLeftEstimatorTest, SaysNothingUntilThePaceIsMeasured) {
  TimeLeftEstimator estimate;
  EXPECT_FALSE(estimate.Left().has_value());  // nothing begun
  estimate.Begin(1024, kStart);
  estimate.Update(100, kStart + milliseconds(499));
  EXPECT_FALSE(estimate.Left().has_value()) << "too short a sample";
  estimate.Update(0, kStart + seconds(3));
  EXPECT_FALSE(estimate.Left().has_value()) << "no byte through yet";
  estimate.Update(1, kStart + milliseconds(500));
  EXPECT_EQ(estimate.Left(), seconds(512));  // 2 B/s, 1023 bytes left -> 511.5 s
  // A clock read before the step began (another thread's sample) measures
  // nothing rather than a negative pace.
  estimate.Update(10, kStart - seconds(1));
  EXPECT_FALSE(estimate.Left().has_value());
}

TEST(TimeLeftEstimatorTest, EachStepStartsAfresh) {
  TimeLeftEstimator estimate;
  estimate.Begin(1024, kStart);
  estimate.Update(1024, kStart + seconds(1));
  estimate.Begin(28672, kStart + seconds(5));
  EXPECT_EQ(estimate.Done(), 0u);
  EXPECT_EQ(estimate.Total(), 28672u);
  EXPECT_FALSE(estimate.Left().has_value()) << "the last step's pace carried over";
  // Counts past the total (a report that overshoots) end the step, not
  // wrap the remainder round.
  estimate.Update(40000, kStart + seconds(6));
  EXPECT_EQ(estimate.Done(), 28672u);
  EXPECT_EQ(estimate.Left(), seconds(0));
}

}  // namespace
}  // namespace vrx
