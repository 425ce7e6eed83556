#include "tests/e2e/e2e_support.h"

#include <gtest/gtest.h>

#include <fstream>

#include "config/data_file.h"
#include "writer/firmware_pack.h"

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

WriteFiles::WriteFiles() {
  container = dir / "VRXWriter";
  dataFile = dir / "keys.vrx";

  firmware.resize(0x4800);
  for (std::size_t i = 0; i < firmware.size(); ++i) {
    firmware[i] = static_cast<uint8_t>(i * 13 + (i >> 9));
  }
  std::vector<uint8_t> program(1000, 0x90);  // stands in for the writer's own code
  const auto key = ParseDesKey("0123456789ABCDEF");
  const auto payload = BuildContainer(firmware, *key);
  program.insert(program.end(), payload.begin(), payload.end());
  std::ofstream(container, std::ios::binary)
      .write(reinterpret_cast<const char*>(program.data()), static_cast<long>(program.size()));

  ConfigImage config;
  config.cgram[0] = 0x1F;
  config.cgram[63] = 0x15;
  config.keys[0].makeCode = "1C";
  config.keys[0].breakCode = "F0,1C";
  EXPECT_TRUE(WriteDataFile(dataFile, config));
}

std::vector<std::string> CsvLines(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace vrx::test
