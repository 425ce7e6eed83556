// A full write at 38400 bit/s against the simulator with wire-time
// emulation, as a ratio to the wire-time minimum of the bytes exchanged
// (plus the loader's fixed 100 ms and 1000 ms pauses), for ProgramDevice and
// for the bare C writer.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "minimal_writer.h"
#include "program_device.h"
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

void FullWrite(benchmark::State& state, const Writer& write) {
  const vrx::FlashImage image = Image();
  for (auto _ : state) {
    // A fresh module in its application, erased, for every run: both
    // hosts then exchange the very same bytes.
    vrx::sim::SimulatorOptions options;
    options.wireTime = true;
    std::string error;
    auto simulator = vrx::sim::Simulator::Start(options, error);
    if (!simulator) {
      state.SkipWithError(error.c_str());
      break;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool written = write(simulator->DevicePath(), image);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (!written) {
      state.SkipWithError("the write failed");
      break;
    }
    const double bytes = static_cast<double>(simulator->TakeTranscript().size());
    const double minimum = bytes * 11 / kBitRate + kPausesSeconds;
    state.SetIterationTime(elapsed.count());
    state.counters["bytes"] = bytes;
    state.counters["wire_min_s"] = minimum;
    state.counters["ratio"] = elapsed.count() / minimum;
  }
}

void ProgramDeviceWrite(benchmark::State& state) {
  FullWrite(state, [](const std::string& path, const vrx::FlashImage& image) {
    DiscardLog log;
    return vrx::ProgramDevice(path, 4, image, log);
  });
}

void MinimalCWrite(benchmark::State& state) {
  FullWrite(state, [](const std::string& path, const vrx::FlashImage& image) {
    return minimal_write(path.c_str(), 38400, image.data()) == 0;
  });
}

BENCHMARK(MinimalCWrite)->UseManualTime()->Iterations(1)->Repetitions(2)->Unit(benchmark::kSecond);
BENCHMARK(ProgramDeviceWrite)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(2)
    ->Unit(benchmark::kSecond);

}  // namespace
