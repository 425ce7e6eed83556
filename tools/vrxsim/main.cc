// vrxsim: a simulated VRX7100 on a pseudo-terminal, for trying VRXEditor,
// VRXWriter and vrxtool without a module.  Prints the device path on its
// first line and answers until SIGINT or SIGTERM.  SIGUSR1 unplugs the
// module (its device vanishes), SIGUSR2 plugs the next one in (a fresh
// module on a new device, whose path is printed on a line of its own).
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "config/program_language.h"
#include "resources/program_version.h"
#include "tools/vrxsim/simulator.h"

namespace {

struct ProgramOptions {
  std::string linkPath;
  std::string flashPath;
  bool loader = false;
  bool forgiving = false;
  bool wireTime = false;
  bool lcd = false;
  bool trace = false;
  std::string adapter = "ideal";
  std::string eventChar;
  std::vector<std::string> faults;
};

// Saves the flash and draws the LCD when the host has changed them.
class ChangeReporter {
 public:
  explicit ChangeReporter(const ProgramOptions& options) : options_(options) {}

  // Held while the device path is printed: it must be the first line even
  // if a host is quick enough to use the link before that.
  std::mutex& Output() { return output_; }

  void HostClosed(const vrx::sim::ModuleModel& model) {
    std::lock_guard lock(output_);
    if (!options_.flashPath.empty() && model.FlashVersion() != flashVersion_) {
      flashVersion_ = model.FlashVersion();
      std::string error;
      if (!model.Flash().Save(options_.flashPath, error)) std::cerr << "vrxsim: " << error << '\n';
    }
    if (options_.lcd && model.LcdVersion() != lcdVersion_) {
      lcdVersion_ = model.LcdVersion();
      std::cout << model.Lcd().Render() << std::flush;
    }
  }

 private:
  const ProgramOptions& options_;
  std::mutex output_;
  uint64_t flashVersion_ = 0;
  uint64_t lcdVersion_ = 0;
};

// Why vrxsim cannot start: printed as "vrxsim: WHAT"; exit code 2 for a
// command line it cannot use, 1 for the rest.
struct SimulatorFailure : std::runtime_error {
  explicit SimulatorFailure(const std::string& what, int code = 1)
      : std::runtime_error(what), exitCode(code) {}
  int exitCode;
};
constexpr int kUsageExit = 2;

// The command line, or the exit code of --help, --version or a usage error.
std::variant<ProgramOptions, int> ParseCommandLine(int argc, char** argv) {
  ProgramOptions options;
  CLI::App app{
      "vrxsim - a simulated VRX7100 module on a pseudo-terminal.\n"
      "Prints the device path to open (e.g. /dev/pts/3) on its first line, then answers\n"
      "the module's application and loader commands until interrupted.\n"
      "kill -USR1 unplugs the module (its device vanishes); kill -USR2 plugs a fresh one\n"
      "in and prints its new device path (--link follows it)."};
  app.add_option("--link", options.linkPath,
                 "Also make PATH a symlink to the device path (removed again on exit)")
      ->option_text("PATH");
  app.add_option("--flash", options.flashPath,
                 "Keep the 32 KB flash in FILE: read at start if it exists (else erased), "
                 "saved whenever the host closes the port after changing it")
      ->option_text("FILE");
  app.add_flag("--loader", options.loader, "Start in loader mode instead of the application");
  app.add_flag("--forgiving", options.forgiving,
               "Forget a half-received command when the host closes the port, and let the "
               "loader hear every bit rate (a real module does neither)");
  app.add_flag("--wire-time", options.wireTime,
               "Pace every byte like a real line: 11 bit times at the host's bit rate");
  app.add_option("--adapter", options.adapter,
                 "How answers reach the host: ideal (at once, the default), ftdi[:LATENCY_MS] "
                 "(62-byte packets, latency timer 16 ms unless given), cp210x, ch34x or cdc "
                 "(1 ms USB frames); see docs/simulator.md")
      ->option_text("MODEL");
  app.add_option("--event-char", options.eventChar,
                 "With --adapter ftdi: the event character the host set (e.g. 0x00), which "
                 "sends the adapter's packet at once; a pseudo-terminal cannot carry the "
                 "host's own request")
      ->option_text("BYTE");
  app.add_flag("--lcd", options.lcd,
               "Draw the LCD on stdout whenever the host closes the port after changing it");
  app.add_flag("--trace", options.trace, "Log every byte to stderr (> host, < module)");
  app.add_option("--fault", options.faults,
                 "Inject a fault: POINT=ACTION[@FIRST][xCOUNT]; POINT is connect, enter, lcd, "
                 "echo, zero, read, erase, prompt, record, exit or host; ACTION is silent, "
                 "short (read only), vanish or a byte such as 0x06; FIRST counts occurrences "
                 "of POINT from 0 (default 0); COUNT is how many (default 1, * for all). "
                 "Example: --fault record=0x06x5")
      ->option_text("FAULT")
      ->take_all();
  app.set_version_flag("--version", "vrxsim " + std::string(vrx::kProductVersion),
                       "Show the version and exit");
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);  // --help, --version
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  return options;
}

vrx::sim::AdapterSettings AdapterFromOptions(const ProgramOptions& options) {
  auto adapter = vrx::sim::ParseAdapter(options.adapter);
  if (!adapter) {
    throw SimulatorFailure("unknown adapter \"" + options.adapter +
                               "\" (ideal, ftdi, ftdi:LATENCY_MS with 1-255, cp210x, ch34x, cdc)",
                           kUsageExit);
  }
  if (!options.eventChar.empty()) {
    adapter->eventChar = vrx::sim::ParseByteValue(options.eventChar);
    if (!adapter->eventChar) {
      throw SimulatorFailure("bad --event-char \"" + options.eventChar + "\"", kUsageExit);
    }
    if (adapter->kind != vrx::sim::AdapterKind::kFtdi) {
      throw SimulatorFailure("--event-char needs --adapter ftdi", kUsageExit);
    }
  }
  return *adapter;
}

// The flash the module starts with: the file's, or an erased one that is
// saved there at once (so that a typo in the path shows now, not at exit).
std::optional<vrx::sim::FlashBytes> LoadFlash(const std::string& flashPath) {
  if (flashPath.empty()) return std::nullopt;
  std::string error;
  std::error_code ec;
  if (std::filesystem::exists(flashPath, ec)) {
    auto flash = vrx::sim::FlashMemory::Load(flashPath, error);
    if (!flash) throw SimulatorFailure(error);
    return flash;
  }
  if (!vrx::sim::FlashMemory().Save(flashPath, error)) throw SimulatorFailure(error);
  return std::nullopt;
}

vrx::sim::SimulatorOptions SimulatorOptionsFor(const ProgramOptions& options) {
  vrx::sim::SimulatorOptions simOptions;
  simOptions.startInLoader = options.loader;
  if (options.forgiving) simOptions.strictness = vrx::sim::Strictness::kForgiving;
  simOptions.wireTime = options.wireTime;
  simOptions.adapter = AdapterFromOptions(options);
  simOptions.linkPath = options.linkPath;
  simOptions.keepTranscript = false;  // nothing here reads it back
  for (const std::string& text : options.faults) {
    std::string error;
    const auto fault = vrx::sim::ParseFault(text, error);
    if (!fault) throw SimulatorFailure(error, kUsageExit);
    simOptions.faults.push_back(*fault);
  }
  simOptions.initialFlash = LoadFlash(options.flashPath);
  if (options.trace) {
    simOptions.onByte = [](const vrx::sim::TranscriptEntry& entry) {
      std::fprintf(stderr, "%s\n", vrx::sim::FormatEntry(entry).c_str());
    };
  }
  return simOptions;
}

// Answers until SIGINT, SIGTERM or SIGHUP, or until an injected fault makes
// the module vanish; SIGUSR1 and SIGUSR2 unplug and plug in.
void RunUntilStopped(vrx::sim::Simulator& simulator, ChangeReporter& reporter,
                     const sigset_t& signals) {
  const timespec tick{0, 100'000'000};
  for (;;) {
    const int caught = sigtimedwait(&signals, nullptr, &tick);
    if (caught == SIGUSR1) {
      simulator.Unplug();
    } else if (caught == SIGUSR2) {
      std::string error;
      const std::string path = simulator.PlugIn(error);
      std::lock_guard lock(reporter.Output());
      if (path.empty()) {
        std::cerr << "vrxsim: " << error << '\n';  // the old module stays unplugged
      } else {
        std::cout << path << std::endl;
      }
    } else if (caught > 0) {
      return;
    } else if (simulator.Vanished()) {
      std::cerr << "vrxsim: the module vanished (injected fault); exiting\n";
      return;
    }
  }
}

// Blocks the signals RunUntilStopped takes, before the simulator's thread
// exists, so that only this thread takes them.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGUSR1, SIGUSR2}) sigaddset(&signals, signal);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  // A reader of our output that goes away must not kill us before the
  // link is removed and the flash saved.
  std::signal(SIGPIPE, SIG_IGN);
  return signals;
}

int Run(const ProgramOptions& options) {
  vrx::sim::SimulatorOptions simOptions = SimulatorOptionsFor(options);
  ChangeReporter reporter(options);
  simOptions.onHostClosed = [&reporter](const vrx::sim::ModuleModel& model) {
    reporter.HostClosed(model);
  };
  const sigset_t signals = BlockStopSignals();
  std::unique_ptr<vrx::sim::Simulator> simulator;
  {
    std::lock_guard lock(reporter.Output());
    std::string error;
    simulator = vrx::sim::Simulator::Start(std::move(simOptions), error);
    if (!simulator) throw SimulatorFailure(error);
    std::cout << simulator->DevicePath() << std::endl;
  }
  RunUntilStopped(*simulator, reporter, signals);
  simulator.reset();  // saves the flash and removes the link
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  vrx::UseProgramLanguage(vrx::ChooseProgramLanguage(std::nullopt));
  auto parsed = ParseCommandLine(argc, argv);
  if (const int* exitCode = std::get_if<int>(&parsed)) return *exitCode;
  try {
    return Run(std::get<ProgramOptions>(parsed));
  } catch (const SimulatorFailure& failure) {
    std::cerr << "vrxsim: " << failure.what() << '\n';
    return failure.exitCode;
  }
}
