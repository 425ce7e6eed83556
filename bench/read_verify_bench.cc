// Reading the whole flash back and verifying the programmed ranges at
// 38400 bit/s against the simulator with wire-time emulation, as a ratio to
// the wire-time minimum of the bytes exchanged in the same run (plus the
// loader's fixed 100 ms and 1000 ms pauses).
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "bench/realtime.h"
#include "device/read_back.h"
#include "tools/vrxsim/simulator.h"

namespace {

constexpr double kBitRate = 38400;
constexpr double kPausesSeconds = 0.1 + 1.0;

vrx::FlashImage Image() {
  vrx::FlashImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 5 + (i >> 9));
  return image;
}

using Session = std::function<bool(const std::string& path)>;

// One session against a module in its application holding Image():
// elapsed / wire-time minimum.
double SessionRatio(const Session& session, double& minimum) {
  vrx::sim::SimulatorOptions options;
  options.wireTime = true;
  options.initialFlash = Image();
  std::string error;
  auto simulator = vrx::sim::Simulator::Start(options, error);
  if (!simulator) return 0;
  const auto start = std::chrono::steady_clock::now();
  const bool done = session(simulator->DevicePath());
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!done) return 0;
  const double bytes = static_cast<double>(simulator->TakeTranscript().size());
  minimum = bytes * 11 / kBitRate + kPausesSeconds;
  return elapsed.count() / minimum;
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
