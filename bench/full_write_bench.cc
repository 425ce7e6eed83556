// A full write at 38400 bit/s against the simulator with wire-time
// emulation, as a ratio to the wire-time minimum of the bytes exchanged
// (plus the loader's fixed 100 ms and 1000 ms pauses), for ProgramDevice and
// for the bare C writer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "flash_update_log.h"
#include "minimal_writer.h"
#include "realtime.h"
#include "simulator.h"

namespace {

constexpr double kBitRate = 38400;
constexpr double kPausesSeconds = 0.1 + 1.0;

class DiscardLog : public vrx::WriteLog {
 public:
  void AppendLog(std::string_view) override {}
};

vrx::FlashImage Image() {
  vrx::FlashImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  return image;
}

using Writer = std::function<bool(const std::string& path, const vrx::FlashImage& image)>;

// One write against a fresh module in its application, erased, so that
// both hosts exchange the very same bytes: elapsed / wire-time minimum.
double WriteRatio(const Writer& write, const vrx::FlashImage& image, double& minimum) {
  vrx::sim::SimulatorOptions options;
  options.wireTime = true;
  std::string error;
  auto simulator = vrx::sim::Simulator::Start(options, error);
  if (!simulator) return 0;
  const auto start = std::chrono::steady_clock::now();
  const bool written = write(simulator->DevicePath(), image);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  if (!written) return 0;
  const double bytes = static_cast<double>(simulator->TakeTranscript().size());
  minimum = bytes * 11 / kBitRate + kPausesSeconds;
  return elapsed.count() / minimum;
}

bool ProgramDeviceWrite(const std::string& path, const vrx::FlashImage& image) {
  DiscardLog log;
  return vrx::ProgramDevice(path, 4, image, log);
}

bool MinimalCWrite(const std::string& path, const vrx::FlashImage& image) {
  return minimal_write(path.c_str(), 38400, image.data()) == 0;
}

// The two hosts take turns, so that a change in the machine's load hits
// both alike; each iteration is one write by each.
void PairedFullWrites(benchmark::State& state) {
  vrx::bench::RealtimeScope realtime;
  const vrx::FlashImage image = Image();
  double minimum = 0, floorSum = 0, oursSum = 0;
  for (auto _ : state) {
    const double floorRatio = WriteRatio(MinimalCWrite, image, minimum);
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
