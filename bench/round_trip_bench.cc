// Host overhead per acknowledged round trip over a pty: our SerialLink
// beside a bare C host, each against a bare C echo (the floor this machine
// allows) and against the simulated module.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench/minimal_echo.h"
#include "bench/realtime.h"
#include "device/serial_link.h"
#include "tools/vrxsim/raw_host.h"
#include "tools/vrxsim/simulator.h"

namespace {

// The module end of the pty: a bare echo or the simulator.
class Peer {
 public:
  explicit Peer(bool simulated) {
    if (simulated) {
      std::string error;
      simulator_ = vrx::sim::Simulator::Start({}, error);
      path_ = simulator_ ? simulator_->DevicePath() : "";
    } else {
      echo_ = minimal_echo_start(0xFA);
      path_ = echo_ ? minimal_echo_path(echo_) : "";
    }
  }
  ~Peer() {
    if (echo_) minimal_echo_stop(echo_);
  }
  const std::string& Path() const { return path_; }
  // The simulator keeps a transcript; keep it from growing without end.
  void Trim() {
    if (simulator_) simulator_->TakeTranscript();
  }

 private:
  std::unique_ptr<vrx::sim::Simulator> simulator_;
  minimal_echo* echo_ = nullptr;
  std::string path_;
};

void SerialLinkRoundTrip(benchmark::State& state, bool simulated) {
  Peer peer(simulated);
  auto link = vrx::SerialLink::Open(peer.Path(), 38400).link;
  if (!link) {
    state.SkipWithError("cannot open the pty");
    return;
  }
  int64_t done = 0;
  for (auto _ : state) {
    uint8_t answer = 0;
    if (!link->WriteByte(0xC4) || link->ReadByte(answer) != vrx::SerialLink::ReadStatus::kByte ||
        answer != 0xFA) {
      state.SkipWithError("round trip failed");
      break;
    }
    if (++done % 100000 == 0) peer.Trim();
  }
  link->Close();
  state.SetItemsProcessed(done);
}

void RawHostRoundTrip(benchmark::State& state, bool simulated) {
  Peer peer(simulated);
  const int fd = raw_host_open(peer.Path().c_str(), 38400);
  if (fd < 0) {
    state.SkipWithError("cannot open the pty");
    return;
  }
  int64_t done = 0;
  for (auto _ : state) {
    unsigned char answer = 0;
    if (raw_host_round_trip(fd, 0xC4, &answer, 2000) != 1 || answer != 0xFA) {
      state.SkipWithError("round trip failed");
      break;
    }
    if (++done % 100000 == 0) peer.Trim();
  }
  close(fd);
  state.SetItemsProcessed(done);
}

// Other load on the machine moves single runs by a factor of two, so the
// comparison that matters alternates the two hosts in short blocks, each
// against its own bare C echo, and compares the medians of the blocks.
void PairedRoundTrips(benchmark::State& state) {
  vrx::bench::RealtimeScope realtime(state.range(0) != 0);
  Peer floorPeer(false), linkPeer(false);
  const int fd = raw_host_open(floorPeer.Path().c_str(), 38400);
  auto link = vrx::SerialLink::Open(linkPeer.Path(), 38400).link;
  if (fd < 0 || !link) {
    state.SkipWithError("cannot open the ptys");
    return;
  }
  constexpr int kBlock = 500;
  using Clock = std::chrono::steady_clock;
  std::vector<double> floorNs, linkNs;
  for (auto _ : state) {
    auto start = Clock::now();
    for (int i = 0; i < kBlock; ++i) {
      unsigned char answer = 0;
      raw_host_round_trip(fd, 0xC4, &answer, 2000);
    }
    floorNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                      kBlock);
    start = Clock::now();
    for (int i = 0; i < kBlock; ++i) {
      uint8_t answer = 0;
      link->WriteByte(0xC4);
      link->ReadByte(answer);
    }
    linkNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
                     kBlock);
  }
  close(fd);
  link->Close();
  const auto median = [](std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2),
                     values.end());
    return values[values.size() / 2];
  };
  state.counters["floor_ns"] = median(floorNs);
  state.counters["link_ns"] = median(linkNs);
  state.counters["ratio"] = median(linkNs) / median(floorNs);
  state.counters["realtime"] = realtime.Active();
}

BENCHMARK(PairedRoundTrips)
    ->ArgName("realtime")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(60)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RawHostRoundTrip, floor_c_host_c_echo, false)->MinTime(2.0);
BENCHMARK_CAPTURE(SerialLinkRoundTrip, serial_link_c_echo, false)->MinTime(2.0);
BENCHMARK_CAPTURE(RawHostRoundTrip, c_host_simulator, true)->MinTime(2.0);
BENCHMARK_CAPTURE(SerialLinkRoundTrip, serial_link_simulator, true)->MinTime(2.0);

}  // namespace
