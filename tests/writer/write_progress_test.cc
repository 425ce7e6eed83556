// The writer's progress over a whole Write, step by step as UpdateFlash and
// VerifyDevice report them, on a clock the test moves: how full the bar is
// and the time left at the pace of the Write so far.
#include "writer/write_progress.h"

#include <gtest/gtest.h>

namespace vrx {
namespace {

using std::chrono::seconds;
using Clock = WriteProgress::Clock;

const StepInfo kReadBack{DeviceStep::kReadBack, 0, 1024};
const StepInfo kWriteBlock0{DeviceStep::kWrite, 0, 1024};
const StepInfo kEraseBlock4{DeviceStep::kErase, 4, 0};
const StepInfo kWriteBlock4{DeviceStep::kWrite, 4, 28672};
const StepInfo kVerifyRead{DeviceStep::kRead, -1, 1024 + 28672};

class WriteProgressTest : public ::testing::Test {
 protected:
  WriteProgress& Start(bool verify) {
    progress_.emplace(
        verify, [this] { ++draws_; }, [this] { return now_; });
    return *progress_;
  }
  void At(seconds when) { now_ = Clock::time_point{} + when; }

  Clock::time_point now_{};
  int draws_ = 0;
  std::optional<WriteProgress> progress_;
};

TEST_F(WriteProgressTest, TimeLeftFollowsThePaceOfTheWholeWrite) {
  WriteProgress& progress = Start(false);
  At(seconds(0));
  progress.StepStarted({DeviceStep::kConnect});  // no bytes: the clock starts later
  EXPECT_EQ(draws_, 0);
  At(seconds(2));
  progress.StepStarted(kReadBack);
  EXPECT_EQ(progress.Fraction(), 0.0);
  EXPECT_FALSE(progress.Left().has_value());
  At(seconds(3));
  progress.BytesDone(kReadBack, 1024);
  progress.StepEnded(kReadBack, true);
  // 1024 B/s; block 0's rewrite and block 4 still to come: 29696 bytes.
  EXPECT_EQ(progress.Left(), seconds(29));
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1024.0 / 30720.0);

  // Block 0 was equal: its rewrite is passed over and leaves the total.
  At(seconds(4));
  progress.StepStarted(kEraseBlock4);
  progress.StepEnded(kEraseBlock4, true);
  progress.StepStarted(kWriteBlock4);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1024.0 / 29696.0);
  EXPECT_EQ(progress.Left(), seconds(56)) << "512 B/s over the 2 s so far, 28672 bytes left";
  At(seconds(6));
  progress.BytesDone(kWriteBlock4, 2048);
  EXPECT_EQ(progress.Left(), seconds(35)) << "768 B/s, 26624 bytes left: 34.7 s";

  At(seconds(32));
  progress.BytesDone(kWriteBlock4, 28672);
  progress.StepEnded(kWriteBlock4, true);
  EXPECT_EQ(progress.Fraction(), 1.0);
  EXPECT_EQ(progress.Left(), seconds(0));
  EXPECT_EQ(draws_, 7);  // every step with bytes, and every count of them
}

TEST_F(WriteProgressTest, ARewrittenBlock0AndAVerifyAreInTheBarFromTheStart) {
  WriteProgress& progress = Start(true);
  const double total = 1024 + 1024 + 28672 + 29696;
  progress.StepStarted(kReadBack);
  progress.BytesDone(kReadBack, 1024);
  progress.StepEnded(kReadBack, true);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1024 / total);
  progress.StepStarted(kWriteBlock0);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 1024 / total) << "a planned step moves nothing back";
  progress.BytesDone(kWriteBlock0, 1024);
  progress.StepEnded(kWriteBlock0, true);
  progress.StepStarted(kWriteBlock4);
  progress.BytesDone(kWriteBlock4, 28672);
  progress.StepEnded(kWriteBlock4, true);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 30720 / total) << "the verify is still to come";
  progress.StepStarted({DeviceStep::kConnect});
  progress.StepStarted(kVerifyRead);
  progress.BytesDone(kVerifyRead, 29696);
  progress.StepEnded(kVerifyRead, true);
  EXPECT_EQ(progress.Fraction(), 1.0);
}

TEST_F(WriteProgressTest, AFailedStepLeavesTheBarShortOfTheEnd) {
  WriteProgress& progress = Start(false);
  progress.StepStarted(kReadBack);
  progress.BytesDone(kReadBack, 1024);
  progress.StepEnded(kReadBack, true);
  progress.StepStarted(kWriteBlock4);
  progress.BytesDone(kWriteBlock4, 4096);
  progress.StepEnded(kWriteBlock4, false);
  EXPECT_DOUBLE_EQ(progress.Fraction(), (1024.0 + 4096.0) / 29696.0);
}

TEST_F(WriteProgressTest, AStepThePlanDoesNotKnowStillCounts) {
  WriteProgress& progress = Start(false);
  progress.StepStarted(kVerifyRead);  // a read, though no verify was asked for
  progress.BytesDone(kVerifyRead, 29696);
  EXPECT_DOUBLE_EQ(progress.Fraction(), 29696.0 / (30720.0 + 29696.0));
}

}  // namespace
}  // namespace vrx
