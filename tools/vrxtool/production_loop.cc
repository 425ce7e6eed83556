#include "tools/vrxtool/production_loop.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>

#include "device/module_presence.h"
#include "device/serial_options.h"
#include "platform/interrupt.h"
#include "platform/utf8_path.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/terminal.h"

namespace vrxtool {
namespace {

using namespace std::chrono_literals;
// The answer time-out of every other exchange: a shorter one would take a
// module that answers late on a busy machine for gone and program it again.
const auto kProbeTimeout = vrx::SerialOptions{}.readTimeout;
constexpr auto kProbePause = 200ms;

// Probes until the module's presence is `wanted`; false when Ctrl-C came
// first.
bool WaitForModule(const StationSettings& station, bool wanted) {
  while (!vrx::InterruptRequested()) {
    if (vrx::ModuleAnswers(station.port, station.speedIndex, kProbeTimeout) == wanted) return true;
    std::this_thread::sleep_for(kProbePause);
  }
  return false;
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string LocalTime() {
  const std::time_t now = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", std::localtime(&now));
  return text;
}

// One line per module, a header first when the file is new.
void AppendResult(const StationSettings& station, const ModuleOutcome& outcome, double seconds) {
  if (station.resultsCsv.empty()) return;
  const std::filesystem::path csvPath = vrx::PathFromUtf8(station.resultsCsv);
  std::error_code ec;
  const bool fresh =
      !std::filesystem::exists(csvPath, ec) || std::filesystem::file_size(csvPath, ec) == 0;
  std::ofstream csv(csvPath, std::ios::app | std::ios::binary);
  if (fresh) csv << vrx::readback_text::CsvHeader() << '\n';
  const std::string message = outcome.interrupted ? std::string(vrx::readback_text::Interrupted())
                              : outcome.message != 0
                                  ? std::string(vrx::WriterMessage(outcome.message))
                                  : outcome.boxText;
  char duration[32];
  std::snprintf(duration, sizeof duration, "%.1f", seconds);
  csv << LocalTime() << ',' << CsvField(station.port) << ','
      << (outcome.interrupted ? vrx::readback_text::Interrupted()
                              : vrx::readback_text::ResultWord(outcome.passed))
      << ',' << duration << ','
      << CsvField(message) << '\n';
  if (!csv) PrintError(vrx::readback_text::CannotWrite(station.resultsCsv));
}

}  // namespace

int ProgramRepeatedly(const StationSettings& station,
                      const std::function<ModuleOutcome()>& programModule) {
  vrx::CatchInterruptsForProcess();
  int passed = 0;
  int failed = 0;
  while (true) {
    PrintError(vrx::readback_text::WaitingForModule());
    if (!WaitForModule(station, true)) break;
    const auto start = std::chrono::steady_clock::now();
    const ModuleOutcome outcome = programModule();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!outcome.interrupted) (outcome.passed ? passed : failed) += 1;
    AppendResult(station, outcome, seconds.count());
    PrintError(vrx::readback_text::RunningCount(passed, failed));
    if (vrx::InterruptRequested() || !WaitForModule(station, false)) break;
  }
  PrintError(vrx::readback_text::RepeatSummary(passed, failed));
  return failed == 0 ? kExitOk : kExitFailure;
}

}  // namespace vrxtool
