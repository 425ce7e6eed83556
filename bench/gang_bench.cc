// vrxtool program on 1, 4, 8 and 16 ports at once, each port a simulated
// module pacing every byte like a real line at 38400 bit/s: the wall time
// of the whole run beside one port's, vrxtool's CPU time per module and
// the simulated modules' (which a real station does not spend).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "config/data_file.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch_folder.h"
#include "tools/vrxsim/simulator.h"
#include "writer/firmware_pack.h"

namespace {

// A writer executable carrying a firmware payload, and a data file.
struct GangFiles {
  GangFiles() {
    std::vector<uint8_t> firmware(0x4800);
    for (std::size_t i = 0; i < firmware.size(); ++i)
      firmware[i] = static_cast<uint8_t>(i * 13 + (i >> 9));
    std::vector<uint8_t> program(1000, 0x90);
    const auto payload = vrx::BuildContainer(firmware, *vrx::ParseDesKey("0123456789ABCDEF"));
    program.insert(program.end(), payload.begin(), payload.end());
    std::ofstream(container, std::ios::binary)
        .write(reinterpret_cast<const char*>(program.data()),
               static_cast<std::streamsize>(program.size()));
    vrx::ConfigImage config;
    config.cgram[0] = 0x1F;
    written = vrx::WriteDataFile(dataFile, config);
  }
  vrx::test::ScratchFolder folder{"vrx-gang-bench"};
  std::filesystem::path container = folder.path() / "VRXWriter";
  std::filesystem::path dataFile = folder.path() / "keys.vrx";
  bool written = false;
};

// User and system time of vrxtool (RUSAGE_CHILDREN) or of this process,
// whose threads are the simulated modules (RUSAGE_SELF).
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void GangWrite(benchmark::State& state) {
  const auto ports = static_cast<int>(state.range(0));
  const GangFiles files;
  double wallSum = 0, cpuSum = 0, simulatorCpuSum = 0;
  for (auto _ : state) {
    std::vector<std::unique_ptr<vrx::sim::Simulator>> modules;
    std::vector<std::string> command{VRXTOOL_PATH, "program", files.dataFile.string(),
                                     "--container", files.container.string()};
    for (int i = 0; i < ports; ++i) {
      vrx::sim::SimulatorOptions options;
      options.wireTime = true;
      options.keepTranscript = false;
      std::string error;
      modules.push_back(vrx::sim::Simulator::Start(options, error));
      if (!modules.back()) return state.SkipWithError(error.c_str());
      command.insert(command.end(), {"--port", modules.back()->DevicePath()});
    }
    const double cpuBefore = CpuSeconds(RUSAGE_CHILDREN);
    const double simulatorCpuBefore = CpuSeconds(RUSAGE_SELF);
    const auto start = std::chrono::steady_clock::now();
    const vrx::test::ProcessResult result = vrx::test::RunProcess(
        command, {"XDG_CONFIG_HOME=" + files.folder.path().string()}, std::chrono::minutes(5));
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    if (result.exitCode != 0) return state.SkipWithError(result.err.c_str());
    wallSum += wall.count();
    cpuSum += CpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    simulatorCpuSum += CpuSeconds(RUSAGE_SELF) - simulatorCpuBefore;
  }
  const auto runs = static_cast<double>(state.iterations());
  state.counters["ports"] = ports;
  state.counters["wall_s"] = wallSum / runs;
  state.counters["cpu_ms_per_module"] = cpuSum / runs / ports * 1000;
  // The simulated modules share the host's cores here; on a station they
  // are hardware.
  state.counters["sim_cpu_ms_per_module"] = simulatorCpuSum / runs / ports * 1000;
}

BENCHMARK(GangWrite)->Arg(1)->Arg(4)->Arg(8)->Arg(16)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
