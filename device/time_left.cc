#include "device/time_left.h"

#include <algorithm>
#include <cmath>

namespace vrx {

void TimeLeftEstimator::Begin(std::size_t total, Clock::time_point now) {
  total_ = total;
  done_ = 0;
  started_ = now;
  elapsed_ = {};
}

void TimeLeftEstimator::Update(std::size_t done, Clock::time_point now) {
  done_ = std::min(done, total_);
  elapsed_ = std::max(now - started_, Clock::duration::zero());
}

std::optional<double> TimeLeftEstimator::BytesPerSecond() const {
  if (done_ == 0 || elapsed_ < kMinimumSample) return std::nullopt;
  return static_cast<double>(done_) / std::chrono::duration<double>(elapsed_).count();
}

std::optional<std::chrono::seconds> TimeLeftEstimator::Left() const {
  const auto pace = BytesPerSecond();
  if (!pace) return std::nullopt;
  const double seconds = static_cast<double>(total_ - done_) / *pace;
  return std::chrono::seconds(static_cast<long long>(std::ceil(seconds)));
}

}  // namespace vrx
