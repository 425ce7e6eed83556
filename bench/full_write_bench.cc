// A full write at 38400 bit/s against the simulator with wire-time
// emulation, as a ratio to the wire-time minimum of the bytes exchanged
// (plus the loader's fixed 100 ms and 1000 ms pauses), for ProgramDevice and
// for the bare C player of the expected conversation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "bench/minimal_player.h"
#include "bench/realtime.h"
#include "bench/timed_session.h"
#include "tests/support/expected_conversation.h"
#include "tools/vrxsim/simulator.h"

namespace {

using Writer = std::function<bool(const std::string& path, const vrx::FlashImage& image)>;

// One write against a fresh module in its application, erased, so that
// both hosts exchange the very same bytes: elapsed / wire-time minimum.
double WriteRatio(const Writer& write, const vrx::FlashImage& image, double& minimum) {
  const vrx::bench::TimedSession timed = vrx::bench::TimeSession(
      {}, [&](const std::string& path) { return write(path, image); });
  if (timed.done) minimum = timed.minimum;
  return timed.Ratio();
}

bool ProgramDeviceWrite(const std::string& path, const vrx::FlashImage& image) {
  vrx::bench::DiscardLog log;
  return vrx::ProgramDevice(path, 4, image, log);
}

// The conversation of a correct update of a fresh module, as steps for the
// bare C player: the loader's pauses after entering it and after the end.
struct Script {
  std::vector<minimal_step> steps;
  std::vector<unsigned char> answers;
};

Script UpdateScript(const vrx::FlashImage& image) {
  vrx::test::WriteScenario scenario;
  scenario.moduleFlash.fill(0xFF);
  std::copy(image.begin(), image.end(), scenario.image.begin());
  Script script;
  for (const vrx::sim::TranscriptEntry& entry : vrx::test::ExpectedWrite(scenario)) {
    if (entry.direction == vrx::sim::Direction::kHostToModule) {
      script.steps.push_back({entry.value, entry.bitRate, script.answers.size(), 0, 0});
    } else {
      script.answers.push_back(entry.value);
      ++script.steps.back().answer_count;
    }
  }
  script.steps.at(2).pause_ms = 100;  // C4, C3, 3C: in the loader
  script.steps.back().pause_ms = 1000;
  return script;
}

bool MinimalCWrite(const std::string& path, const Script& script) {
  return minimal_play(path.c_str(), script.steps.data(), script.steps.size(),
                      script.answers.data()) == 0;
}

// The two hosts take turns, so that a change in the machine's load hits
// both alike; each iteration is one write by each.
void PairedFullWrites(benchmark::State& state) {
  vrx::bench::RealtimeScope realtime;
  const vrx::FlashImage image = vrx::bench::PatternImage();
  const Script script = UpdateScript(image);
  const Writer floorWrite = [&script](const std::string& path, const vrx::FlashImage&) {
    return MinimalCWrite(path, script);
  };
  double minimum = 0, floorSum = 0, oursSum = 0;
  for (auto _ : state) {
    const double floorRatio = WriteRatio(floorWrite, image, minimum);
    const double ourRatio = WriteRatio(ProgramDeviceWrite, image, minimum);
    if (floorRatio == 0 || ourRatio == 0) {
      state.SkipWithError("a write failed");
      break;
    }
    floorSum += floorRatio;
    oursSum += ourRatio;
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["wire_min_s"] = minimum;
  state.counters["c_host_ratio"] = floorSum / runs;
  state.counters["ours_ratio"] = oursSum / runs;
  state.counters["ours_vs_c_host"] = oursSum / floorSum;
  state.counters["realtime"] = realtime.Active();
}

BENCHMARK(PairedFullWrites)->Iterations(2)->Unit(benchmark::kSecond);

}  // namespace
