// One bar for a whole Write: the bytes all its steps move (block 0 read
// back and, when it differs, rewritten; block 4 written; the read-back of a
// verify), and the time left at the pace measured since the first of them
// began.  Display-free: the writer's window draws it.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include "device/device_progress.h"
#include "device/time_left.h"

namespace vrx {

class WriteProgress final : public DeviceProgress {
 public:
  using Clock = TimeLeftEstimator::Clock;

  // `changed` runs after every change worth drawing; `now` reads the clock
  // (tests pass their own).
  WriteProgress(bool verify, std::function<void()> changed,
                std::function<Clock::time_point()> now = Clock::now);

  void StepStarted(const StepInfo& info) override;
  void BytesDone(const StepInfo& info, std::size_t done) override;
  void StepEnded(const StepInfo& info, bool succeeded) override;

  // 0 before the first byte, 1 once every step of the Write is through.
  double Fraction() const;
  // nullopt until the pace is measured (TimeLeftEstimator::Left).
  std::optional<std::chrono::seconds> Left() const;

 private:
  struct PlannedStep {
    DeviceStep step;
    int block;
    std::size_t bytes;
  };

  void Measure();

  std::function<void()> changed_;
  std::function<Clock::time_point()> now_;
  // The byte steps still to come, in order; one that is passed over (block
  // 0's rewrite when the module already holds it) leaves the total.
  std::vector<PlannedStep> planned_;
  std::size_t total_ = 0;
  std::size_t finished_ = 0;  // bytes of the steps that have ended
  std::size_t current_ = 0;   // bytes of the running step
  std::optional<Clock::time_point> started_;
  TimeLeftEstimator estimate_;
};

}  // namespace vrx
