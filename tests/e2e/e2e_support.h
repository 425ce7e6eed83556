// Shared pieces of the end-to-end tests: a simulator starter, the fast link options, and test
// images.
#pragma once

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "device/serial_options.h"
#include "tests/support/eventually.h"
#include "tests/support/recording_log.h"
#include "tests/support/scratch_folder.h"
#include "tools/vrxsim/flash_memory.h"
#include "tools/vrxsim/simulator.h"
#include "writer/write_log.h"

namespace vrx::test {

// The programs under test, built beside the tests.
inline const std::string kVrxtool = VRXTOOL_PATH;
inline const std::string kVrxsim = VRXSIM_PATH;
// A Write's last log line when it succeeded, and when it stopped.
inline const std::string kWritten = "書き込みは正常に終了しました。";
inline const std::string kAborted = "処理を中止します。";

std::unique_ptr<sim::Simulator> StartSimulator(sim::SimulatorOptions options);
// Options with faults given as vrxsim's --fault texts.
sim::SimulatorOptions WithFaults(const std::vector<std::string>& faults);

// The programs' own time-outs (an answer that comes costs nothing of them,
// and a busy machine may take long for one), and pauses that are recorded
// instead of slept.  Only a test that expects silence passes a shorter
// `timeout`, and only where every awaited answer is silent.
SerialOptions FastOptions(std::vector<std::chrono::milliseconds>* pauses,
                          std::chrono::milliseconds timeout = SerialOptions{}.readTimeout);

// An image as the writer would build it: distinct bytes everywhere, so a
// misplaced record shows.
sim::FlashBytes TestImage();

// A folder with what a Write needs: a writer executable carrying a
// firmware payload ("VRXWriter") and a data file ("keys.vrx") whose first
// character row is 0x1F.  Removed again by the destructor.
struct WriteFiles {
  WriteFiles();

  ScratchFolder folder{"vrx-e2e"};
  std::filesystem::path dir = folder.path();
  std::filesystem::path container;
  std::filesystem::path dataFile;
  std::vector<uint8_t> firmware;  // the plain image inside the container
};

// The lines of a results file.
std::vector<std::string> CsvLines(const std::filesystem::path& path);

}  // namespace vrx::test
