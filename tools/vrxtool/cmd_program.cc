// vrxtool program: the writer's 書込み from the command line, on one port or
// on several at once.  Standard output carries exactly the writer's log (LF
// line ends; each line prefixed with its port when there are several); what
// the writer shows in a message box goes to standard error.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "config/settings_problems.h"
#include "device/serial_options.h"
#include "platform/interrupt.h"
#include "platform/port_names.h"
#include "platform/program_profile.h"
#include "resources/gang_texts.h"
#include "resources/message_table.h"
#include "resources/port_messages.h"
#include "resources/program_usage.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/feedback.h"
#include "tools/vrxtool/gang_board.h"
#include "tools/vrxtool/image_source.h"
#include "tools/vrxtool/production_loop.h"
#include "tools/vrxtool/terminal.h"
#include "writer/write_sequence.h"

namespace vrxtool {
namespace {

struct ProgramArguments {
  std::string dataFile;
  std::vector<std::string> ports;  // --port, as often as given
  std::string portRange;           // --ports COM1-COM8
  int speedIndex = 4;
  std::string container;
  bool verify = false;
  bool json = false;
  bool repeat = false;
  std::string resultsLog;
};

// Passes the container's message box on and keeps its text for the results.
class RememberedBox final : public vrx::MessageBoxSink {
 public:
  explicit RememberedBox(vrx::MessageBoxSink& next) : next_(next) {}
  void ShowMessage(std::string_view text) override {
    shown = std::string(text);
    next_.ShowMessage(text);
  }
  std::string shown;

 private:
  vrx::MessageBoxSink& next_;
};

// What one port's session needs; nothing in it is shared with another
// port's but the read-only arguments, the settings-problem sink and the
// run's cancellation check.
struct Session {
  const ProgramArguments& args;
  std::string port;
  PortView& view;
  bool gang;  // one of several ports: nothing stored in the profile
  const vrx::SettingsProblemSink& settingsProblems;
  const vrx::SerialOptions& serial;
};

bool Cancelled(const Session& session) {
  return session.serial.cancelled && session.serial.cancelled();
}

// One module's Write, exactly as the writer's 書込み does it.
ModuleOutcome ProgramModule(const Session& session) {
  vrx::WriteJob job;
  job.filePath = session.args.dataFile;
  job.portName = session.port;
  job.speedIndex = session.args.speedIndex;
  job.containerPath = ContainerOrDefault(session.args.container);
  job.verify = session.args.verify;
  job.storePort = !session.gang;
  job.serial = session.serial;
  const auto profile = vrx::OpenProgramProfile("VRXWriter", session.settingsProblems);
  vrx::FlashImage image{};
  ModuleOutcome outcome;
  {
    const std::unique_ptr<ModuleView> module = session.view.BeginModule();
    RememberedBox boxes(module->boxes());
    job.progress = &module->progress();
    outcome.passed = vrx::RunWrite(job, image, module->log(), boxes, *profile);
    outcome.message = module->LastMessage();
    outcome.boxText = boxes.shown;
    outcome.interrupted = !outcome.passed && Cancelled(session);
    module->Finished(outcome);
  }
  // The writer logs a port it cannot open; say where the causes are (a
  // single Write's failure says it in FailureText).
  if (outcome.message == vrx::writer_msg::kPortOpenFailed && (session.gang || session.args.repeat))
    session.view.Note(vrx::PortOpenHint());
  return outcome;
}

// One port's whole run: one module, or module after module with --repeat.
StationCounts RunPort(const Session& session, ResultsCsv& results, ModuleOutcome& last) {
  try {
    if (session.args.repeat)
      return ProgramRepeatedly(
          {session.port, session.args.speedIndex}, [&session] { return ProgramModule(session); },
          session.view, results, [&session] { return Cancelled(session); });
    StationCounts counts;
    last = ProgramModule(session);
    if (!last.interrupted) (last.passed ? counts.passed : counts.failed) = 1;
    return counts;
  } catch (const std::exception& unexpected) {
    // Out of memory and the like end this port's session, not the others.
    session.view.Note(unexpected.what());
    return {0, 1};
  }
}

// The ports named by --port and --ports, in that order; usage errors for
// none and for a port named twice.
std::vector<std::string> GivenPorts(const ProgramArguments& args) {
  std::vector<std::string> ports = args.ports;
  if (const auto range = vrx::ExpandPortRange(args.portRange))
    ports.insert(ports.end(), range->begin(), range->end());
  if (ports.empty()) throw CommandFailure(vrx::port_msg::NoPortSelected(), kExitUsage);
  // "com3" and "COM3" are one port.
  const auto same = [](const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::toupper(static_cast<unsigned char>(x)) ==
             std::toupper(static_cast<unsigned char>(y));
    });
  };
  for (auto port = ports.begin(); port != ports.end(); ++port)
    if (std::any_of(ports.begin(), port, [&](const std::string& e) { return same(e, *port); }))
      throw CommandFailure(vrx::gang_text::PortGivenTwice(*port), kExitUsage);
  return ports;
}

// The message that ended a failed Write, for stderr as every command's
// failure goes there (the log on stdout has it too); "" when a message box
// has said it already.  A port it cannot open gets where the causes are.
std::string FailureText(const ModuleOutcome& outcome) {
  if (outcome.message == 0 || !outcome.boxText.empty()) return {};
  std::string text(vrx::WriterMessage(outcome.message));
  if (outcome.message == vrx::writer_msg::kPortOpenFailed)
    text += "\n" + std::string(vrx::PortOpenHint());
  return text;
}

class ProgramCommand final : public Command {
 public:
  std::string Name() const override { return "program"; }
  std::string Summary() const override {
    return "Program DATAFILE into a VRX7100 exactly as VRXWriter's Write does";
  }
  std::string Footer() const override {
    return "The log goes to stdout; on success the port and speed are stored in VRXWriter's "
           "profile.\nWith several ports, every port runs its own Write at the same time; "
           "each log line starts\nwith its port, a terminal shows a table of the ports, and "
           "nothing is stored in the profile.\nExit status: 0 programmed, 1 failed (the message "
           "that ended the Write also on stderr; with "
           "--repeat: 0 when no module failed; with several\nports: 0 when every port "
           "succeeded).\n"
           "Examples:\n  vrxtool program keyboard.vrx --port COM1 --speed 4 --verify\n"
           "  vrxtool program keyboard.vrx --port COM1 --repeat --log results.csv\n"
           "  vrxtool program keyboard.vrx --ports COM1-COM8 --repeat --log results.csv";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("DATAFILE", args_.dataFile, "Data file (.vrx)")->required();
    sub.add_option("--port", args_.ports,
                   "COM1..COM9 (see docs/ports.md) or a device path such as /dev/ttyUSB0; "
                   "repeat it to program several ports at once")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    sub.add_option("--ports", args_.portRange, "A range of ports at once, such as COM1-COM8")
        ->check([](const std::string& text) {
          return vrx::ExpandPortRange(text) ? std::string() : vrx::gang_text::NotAPortRange(text);
        });
    sub.add_option("--speed", args_.speedIndex,
                   "Speed index: 0=4800 1=9600 2=14400 3=19200 4=38400 5=57600")
        ->capture_default_str()
        ->check(CLI::Range(0, 5));
    AddContainerOption(sub, args_.container);
    sub.add_flag("--verify", args_.verify,
                 "Read the programmed ranges back afterwards; fail if they differ");
    AddJsonFlag(sub, args_.json);
    auto* repeat =
        sub.add_flag("--repeat", args_.repeat,
                     "Production loop: program module after module on every port until Ctrl-C");
    sub.add_option("--log", args_.resultsLog,
                   "With --repeat: append one CSV line per module (time,port,result,seconds,"
                   "message)")
        ->needs(repeat);
  }
  int Execute() override;

 private:
  ProgramArguments args_;
};

int ProgramCommand::Execute() {
  const std::vector<std::string> ports = GivenPorts(args_);
  const bool gang = ports.size() > 1;
  const vrx::SerialOptions serial = InterruptibleSession();
  const vrx::SettingsProblemSink settingsProblems = vrx::PrintSettingsProblems();
  // A single port is a gang of one, shown as vrxtool always has.
  std::unique_ptr<GangBoard> board;
  std::unique_ptr<PortView> single;
  if (gang) {
    board = std::make_unique<GangBoard>(ports, args_.json, args_.repeat,
                                        StderrIsTerminal() && StderrTakesEscapes());
  } else {
    single = MakeSinglePortView(args_.json);
  }
  ResultsCsv results(args_.resultsLog);
  const auto start = std::chrono::steady_clock::now();
  std::vector<StationCounts> counts(ports.size());
  std::vector<ModuleOutcome> last(ports.size());
  {
    // One thread per port: each runs the blocking single-port session
    // unchanged (its own time-outs and pauses), so the bytes on every line
    // are those of a single-port run and no port waits on another.
    std::vector<std::jthread> sessions;
    for (std::size_t i = 0; i < ports.size(); ++i) {
      sessions.emplace_back([&, i] {
        PortView& view = gang ? board->port(i) : *single;
        const Session session{args_, ports[i], view, gang, settingsProblems, serial};
        counts[i] = RunPort(session, results, last[i]);
      });
    }
    const vrx::InterruptsGoToSessions waiting;
    for (std::jthread& session : sessions) session.join();
  }
  board.reset();  // the table's last drawing stays above the summary
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  StationCounts total;
  for (const StationCounts& port : counts) {
    total.passed += port.passed;
    total.failed += port.failed;
  }
  if (gang) {
    for (std::size_t i = 0; i < ports.size(); ++i)
      PrintError(vrx::gang_text::PortSummary(ports[i], counts[i].passed, counts[i].failed));
    PrintError(vrx::gang_text::TotalSummary(static_cast<int>(ports.size()), total.passed,
                                            total.failed, seconds.count()));
  } else if (args_.repeat) {
    PrintError(vrx::readback_text::RepeatSummary(total.passed, total.failed));
  }
  // A production run ends with Ctrl-C; its outcome is its modules'.
  if (!args_.repeat && std::any_of(last.begin(), last.end(),
                                   [](const ModuleOutcome& port) { return port.interrupted; }))
    return ReportInterrupted();
  // A single Write's failure says its message; the table and the logs have
  // told each port's.
  if (!gang && !args_.repeat && total.failed != 0) throw CommandFailure(FailureText(last[0]));
  if (total.failed != 0) throw CommandFailure();
  return kExitOk;
}

}  // namespace

std::unique_ptr<Command> MakeProgramCommand() { return std::make_unique<ProgramCommand>(); }

}  // namespace vrxtool
