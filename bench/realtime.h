// Benchmarks of latency on a shared machine: other work moves single runs
// by a factor of two.  Where allowed, the benchmark thread (and the
// simulator or echo threads it starts, which inherit it) runs at a
// real-time priority for the duration of one benchmark.
#pragma once

#include <sched.h>

namespace vrx::bench {

class RealtimeScope {
 public:
  explicit RealtimeScope(bool wanted = true) {
    if (!wanted) return;
    sched_param priority{};
    priority.sched_priority = 10;
    active_ = sched_setscheduler(0, SCHED_FIFO, &priority) == 0;
  }
  ~RealtimeScope() {
    if (!active_) return;
    sched_param normal{};
    sched_setscheduler(0, SCHED_OTHER, &normal);
  }
  RealtimeScope(const RealtimeScope&) = delete;
  RealtimeScope& operator=(const RealtimeScope&) = delete;

  // 1 when running at real-time priority, for the report.
  double Active() const { return active_ ? 1 : 0; }

 private:
  bool active_ = false;
};

}  // namespace vrx::bench
