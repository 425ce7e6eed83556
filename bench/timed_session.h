// What the session benchmarks share: one session against a simulated module
// with wire-time pacing, timed beside the wire-time minimum of the bytes it
// exchanged (11 bits a byte at 38400 bit/s, plus the loader's fixed 100 ms
// and 1000 ms pauses), a firmware image to write, and a log that keeps
// nothing.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "config/flash_image.h"
#include "tools/vrxsim/simulator.h"
#include "writer/flash_update_log.h"

namespace vrx::bench {

inline constexpr double kBitRate = 38400;
inline constexpr double kPausesSeconds = 0.1 + 1.0;

// An image with no two blocks alike, so that nothing can be skipped.
inline FlashImage PatternImage() {
  FlashImage image;
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
  return image;
}

class DiscardLog : public WriteLog {
 public:
  void AppendLog(std::string_view) override {}
};

using Session = std::function<bool(const std::string& path)>;

struct TimedSession {
  bool done = false;     // the session started and succeeded
  std::string error;     // why the simulator did not start
  double seconds = 0;
  double minimum = 0;    // the wire-time minimum of the bytes exchanged
  double Ratio() const { return done && minimum > 0 ? seconds / minimum : 0; }
};

inline TimedSession TimeSession(sim::SimulatorOptions options, const Session& session) {
  options.wireTime = true;
  TimedSession timed;
  auto simulator = sim::Simulator::Start(options, timed.error);
  if (!simulator) return timed;
  const auto start = std::chrono::steady_clock::now();
  timed.done = session(simulator->DevicePath());
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  timed.seconds = elapsed.count();
  const double bytes = static_cast<double>(simulator->TakeTranscript().size());
  timed.minimum = bytes * 11 / kBitRate + kPausesSeconds;
  return timed;
}

}  // namespace vrx::bench
