#include "writer/write_progress.h"

#include <algorithm>
#include <utility>

#include "device/program_device.h"
#include "device/read_back.h"

namespace vrx {

WriteProgress::WriteProgress(bool verify, std::function<void()> changed,
                             std::function<Clock::time_point()> now)
    : changed_(std::move(changed)), now_(std::move(now)) {
  planned_ = {{DeviceStep::kReadBack, 0, kBlock0Bytes},
              {DeviceStep::kWrite, 0, kBlock0Bytes},
              {DeviceStep::kWrite, 4, kBlock4Bytes}};
  if (verify) planned_.push_back({DeviceStep::kRead, -1, VerifiedBytes()});
  for (const PlannedStep& step : planned_) total_ += step.bytes;
}

void WriteProgress::StepStarted(const StepInfo& info) {
  if (info.total == 0) return;  // connect, erase, exit: time, but no bytes
  if (!started_) started_ = now_();
  const auto matches = [&](const PlannedStep& step) {
    return step.step == info.step && step.block == info.block;
  };
  const auto found = std::find_if(planned_.begin(), planned_.end(), matches);
  if (found == planned_.end()) {
    total_ += info.total;  // a step the plan does not know still counts
  } else {
    for (auto skipped = planned_.begin(); skipped != found; ++skipped) total_ -= skipped->bytes;
    total_ = total_ - found->bytes + info.total;
    planned_.erase(planned_.begin(), found + 1);
  }
  current_ = 0;
  Measure();
}

void WriteProgress::BytesDone(const StepInfo& info, std::size_t done) {
  if (info.total == 0) return;
  current_ = std::min(done, info.total);
  Measure();
}

void WriteProgress::StepEnded(const StepInfo& info, bool succeeded) {
  if (info.total == 0 || !succeeded) return;
  finished_ += info.total;
  current_ = 0;
  Measure();
}

double WriteProgress::Fraction() const {
  if (total_ == 0) return 0.0;
  return static_cast<double>(estimate_.Done()) / static_cast<double>(total_);
}

std::optional<std::chrono::seconds> WriteProgress::Left() const { return estimate_.Left(); }

void WriteProgress::Measure() {
  if (!started_) started_ = now_();
  // The estimate is begun again with the Write's first moment, so that a
  // total that changed is measured against the whole Write's pace.
  estimate_.Begin(total_, *started_);
  estimate_.Update(finished_ + current_, now_());
  if (changed_) changed_();
}

}  // namespace vrx
