// The time a step that moves bytes (a block's write, a read) still needs,
// from the pace measured so far in that step.  Display-free: vrxtool's
// progress bar, the writer's progress bar and the gang table draw it.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>

namespace vrx {

class TimeLeftEstimator {
 public:
  using Clock = std::chrono::steady_clock;
  // Before the pace is trusted: a slow adapter (an FTDI chip at its default
  // latency) answers about 60 bytes a second, so this much time holds
  // enough round trips for a steady figure.
  static constexpr std::chrono::milliseconds kMinimumSample{500};

  // A step of `total` bytes begins at `now`.
  void Begin(std::size_t total, Clock::time_point now);
  // `done` bytes of it are through at `now` (counts beyond the total are
  // taken as the total).
  void Update(std::size_t done, Clock::time_point now);

  std::size_t Done() const { return done_; }
  std::size_t Total() const { return total_; }
  // Bytes per second over the step so far; nullopt until measured.
  std::optional<double> BytesPerSecond() const;
  // Rounded up to whole seconds; nullopt until measured (kMinimumSample
  // and one byte done), so the first figure shown is not noise.
  std::optional<std::chrono::seconds> Left() const;

 private:
  std::size_t total_ = 0;
  std::size_t done_ = 0;
  Clock::time_point started_{};
  Clock::duration elapsed_{};
};

}  // namespace vrx
