// A full Write, read-back and verify at 38400 bit/s through each USB serial
// adapter the simulator models, with wire-time pacing: the wire-time
// minimum of the bytes exchanged (plus the loader's fixed 100 ms and
// 1000 ms pauses), the time taken and their ratio.  One run each: the
// FTDI chip at its default 16 ms latency takes minutes per Write.
//   vrx_adapter_bench --benchmark_filter=cp210x
#include <benchmark/benchmark.h>

#include <string>
#include <tuple>

#include "bench/realtime.h"
#include "bench/timed_session.h"
#include "device/read_back.h"
#include "tools/vrxsim/simulator.h"

namespace {

using vrx::bench::DiscardLog;
using vrx::bench::Session;

const vrx::FlashImage& Image() {
  static const vrx::FlashImage image = vrx::bench::PatternImage();
  return image;
}

// "ftdi:16+event" is the FTDI chip with 0x00, the loader's most frequent
// answer, as its event character.
vrx::sim::AdapterSettings Adapter(const std::string& name) {
  const std::size_t plus = name.find('+');
  auto adapter = vrx::sim::ParseAdapter(name.substr(0, plus)).value();
  if (plus != std::string::npos) adapter.eventChar = 0x00;
  return adapter;
}

void Measure(benchmark::State& state, const std::string& adapter, bool programmed,
             const Session& session) {
  vrx::bench::RealtimeScope realtime;
  double minimum = 0, seconds = 0;
  for (auto _ : state) {
    vrx::sim::SimulatorOptions options;
    options.adapter = Adapter(adapter);
    if (programmed) options.initialFlash = Image();
    const vrx::bench::TimedSession timed = vrx::bench::TimeSession(options, session);
    if (!timed.done) {
      state.SkipWithError(timed.error.empty() ? "the session failed" : timed.error.c_str());
      return;
    }
    minimum = timed.minimum;
    seconds = timed.seconds;
  }
  state.counters["wire_min_s"] = minimum;
  state.counters["time_s"] = seconds;
  state.counters["ratio"] = minimum > 0 ? seconds / minimum : 0;
  state.counters["realtime"] = realtime.Active();
}

bool Write(const std::string& path) {
  DiscardLog log;
  return vrx::ProgramDevice(path, 4, Image(), log);
}

bool Read(const std::string& path) {
  vrx::FlashImage flash;
  return vrx::ReadDevice(path, 4, flash) == vrx::SessionFailure::kNone && flash == Image();
}

bool Verify(const std::string& path) {
  const vrx::VerifyResult result = vrx::VerifyDevice(path, 4, Image());
  return result.failure == vrx::SessionFailure::kNone && result.comparison.differing == 0;
}

const int kRegistered = [] {
  for (const char* adapter :
       {"ideal", "ftdi:16", "ftdi:16+event", "ftdi:1", "cp210x", "ch34x", "cdc"}) {
    const std::string name(adapter);
    for (const auto& [operation, session, programmed] :
         {std::tuple{"write", Session(Write), false}, std::tuple{"read", Session(Read), true},
          std::tuple{"verify", Session(Verify), true}}) {
      benchmark::RegisterBenchmark((std::string(operation) + "/" + name).c_str(),
                                   [name, session, programmed](benchmark::State& state) {
                                     Measure(state, name, programmed, session);
                                   })
          ->Iterations(1)
          ->Unit(benchmark::kSecond);
    }
  }
  return 0;
}();

}  // namespace
