// Reading the whole flash back and verifying the programmed ranges at
// 38400 bit/s against the simulator with wire-time emulation, as a ratio to
// the wire-time minimum of the bytes exchanged in the same run (plus the
// loader's fixed 100 ms and 1000 ms pauses).
#include <benchmark/benchmark.h>


#include "bench/realtime.h"
#include "bench/timed_session.h"
#include "device/read_back.h"
#include "tools/vrxsim/simulator.h"

namespace {

using vrx::bench::Session;

const vrx::FlashImage& Image() {
  static const vrx::FlashImage image = vrx::bench::PatternImage();
  return image;
}

// One session against a module in its application holding Image():
// elapsed / wire-time minimum.
double SessionRatio(const Session& session, double& minimum) {
  vrx::sim::SimulatorOptions options;
  options.initialFlash = Image();
  const vrx::bench::TimedSession timed = vrx::bench::TimeSession(options, session);
  if (timed.done) minimum = timed.minimum;
  return timed.Ratio();
}

void Report(benchmark::State& state, const Session& session) {
  vrx::bench::RealtimeScope realtime;
  double minimum = 0, sum = 0;
  for (auto _ : state) {
    const double ratio = SessionRatio(session, minimum);
    if (ratio == 0) {
      state.SkipWithError("the session failed");
      break;
    }
    sum += ratio;
  }
  state.counters["wire_min_s"] = minimum;
  state.counters["ours_ratio"] = sum / static_cast<double>(state.iterations());
  state.counters["realtime"] = realtime.Active();
}

void ReadWholeFlash(benchmark::State& state) {
  Report(state, [](const std::string& path) {
    vrx::FlashImage flash;
    return vrx::ReadDevice(path, 4, flash) == vrx::SessionFailure::kNone && flash == Image();
  });
}

void VerifyProgrammedRanges(benchmark::State& state) {
  Report(state, [](const std::string& path) {
    const vrx::VerifyResult result = vrx::VerifyDevice(path, 4, Image());
    return result.failure == vrx::SessionFailure::kNone && result.comparison.differing == 0;
  });
}

BENCHMARK(ReadWholeFlash)->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(VerifyProgrammedRanges)->Iterations(2)->Unit(benchmark::kSecond);

}  // namespace
