#include "e2e_support.h"

#include <gtest/gtest.h>

#include <thread>

namespace vrx::test {

std::unique_ptr<sim::Simulator> StartSimulator(sim::SimulatorOptions options) {
  std::string error;
  auto simulator = sim::Simulator::Start(std::move(options), error);
  EXPECT_TRUE(simulator) << error;
  return simulator;
}

sim::SimulatorOptions WithFaults(const std::vector<std::string>& faults) {
  sim::SimulatorOptions options;
  for (const std::string& text : faults) {
    std::string error;
    const auto fault = sim::ParseFault(text, error);
    EXPECT_TRUE(fault) << error;
    if (fault) options.faults.push_back(*fault);
  }
  return options;
}

SerialOptions FastOptions(std::vector<std::chrono::milliseconds>* pauses,
                          std::chrono::milliseconds timeout) {
  SerialOptions options;
  options.readTimeout = timeout;
  options.writeTimeout = timeout;
  options.pause = [pauses](std::chrono::milliseconds duration) {
    if (pauses) pauses->push_back(duration);
  };
  return options;
}

sim::FlashBytes TestImage() {
  sim::FlashBytes image;
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>((i * 31) ^ (i >> 7));
  }
  return image;
}

bool EventuallyTrue(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace vrx::test
