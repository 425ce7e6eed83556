#include "tools/vrxtool/production_loop.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>

#include "device/module_presence.h"
#include "device/serial_options.h"
#include "platform/utf8_path.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"

namespace vrxtool {
namespace {

using namespace std::chrono_literals;
// The answer time-out of every other exchange: a shorter one would take a
// module that answers late on a busy machine for gone and program it again.
const auto kProbeTimeout = vrx::SerialOptions{}.readTimeout;
constexpr auto kProbePause = 200ms;

// Probes until the module's presence is `wanted`; false when cancelled
// first.
bool WaitForModule(const StationSettings& station, bool wanted, const vrx::CancelCheck& cancelled) {
  while (!cancelled()) {
    if (vrx::ModuleAnswers(station.port, station.speedIndex, kProbeTimeout) == wanted) return true;
    std::this_thread::sleep_for(kProbePause);
  }
  return false;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\n") == std::string::npos) return std::string(text);
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

}  // namespace

ResultsCsv::ResultsCsv(std::string path) : path_(std::move(path)) {}

void ResultsCsv::Append(std::string_view port, const ModuleOutcome& outcome, double seconds) {
  if (path_.empty()) return;
  const std::string message = outcome.interrupted ? std::string(vrx::readback_text::Interrupted())
                              : outcome.message != 0
                                  ? std::string(vrx::WriterMessage(outcome.message))
                                  : outcome.boxText;
  const std::string_view result = outcome.interrupted
                                      ? vrx::readback_text::Interrupted()
                                      : vrx::readback_text::ResultWord(outcome.passed);
  char duration[32];
  std::snprintf(duration, sizeof duration, "%.1f", seconds);
  const std::string fields = ',' + CsvField(port) + ',' + std::string(result) + ',' + duration +
                             ',' + CsvField(message) + '\n';
  // Rows of all stations go into one file, each whole and in the order
  // they ended.
  std::lock_guard lock(mutex_);  // std::localtime's buffer is shared as well
  const std::string row = LocalTime() + fields;
  const std::filesystem::path csvPath = vrx::PathFromUtf8(path_);
  std::error_code ec;
  const bool fresh =
      !std::filesystem::exists(csvPath, ec) || std::filesystem::file_size(csvPath, ec) == 0;
  std::ofstream csv(csvPath, std::ios::app | std::ios::binary);
  if (fresh) csv << vrx::readback_text::CsvHeader() << '\n';
  csv << row << std::flush;
  if (!csv) PrintError(vrx::readback_text::CannotWrite(path_));
}

StationCounts ProgramRepeatedly(const StationSettings& station,
                                const std::function<ModuleOutcome()>& programModule, PortView& view,
                                ResultsCsv& results, const vrx::CancelCheck& cancelled) {
  StationCounts counts;
  while (true) {
    view.Waiting();
    if (!WaitForModule(station, true, cancelled)) break;
    const auto start = std::chrono::steady_clock::now();
    const ModuleOutcome outcome = programModule();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    if (!outcome.interrupted) (outcome.passed ? counts.passed : counts.failed) += 1;
    results.Append(station.port, outcome, seconds.count());
    view.Counted(counts.passed, counts.failed);
    if (cancelled() || !WaitForModule(station, false, cancelled)) break;
  }
  return counts;
}

}  // namespace vrxtool
