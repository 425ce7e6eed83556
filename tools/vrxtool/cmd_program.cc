// vrxtool program: the writer's 書込み from the command line.  Standard
// output carries exactly the writer's log (LF line ends); what the writer
// shows in a message box goes to standard error.
#include <memory>
#include <string>

#include "platform/interrupt.h"
#include "platform/program_profile.h"
#include "resources/message_table.h"
#include "resources/program_usage.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/device_options.h"
#include "tools/vrxtool/feedback.h"
#include "tools/vrxtool/image_source.h"
#include "tools/vrxtool/production_loop.h"
#include "writer/write_sequence.h"

namespace vrxtool {
namespace {

// The container's message boxes: stderr (and an event with --json).  The
// text is kept for the production log.
class StderrBoxes final : public vrx::MessageBoxSink {
 public:
  explicit StderrBoxes(bool json) : json_(json) {}
  void ShowMessage(std::string_view text) override {
    shown = std::string(text);
    if (json_) PrintEvent("message", {{"text", text}});
    PrintError(text);
  }
  std::string shown;

 private:
  bool json_;
};

struct ProgramArguments {
  std::string dataFile;
  std::string port;
  int speedIndex = 4;
  std::string container;
  bool verify = false;
  bool json = false;
  bool repeat = false;
  std::string resultsLog;
};

ModuleOutcome ProgramOnce(const ProgramArguments& args) {
  vrx::WriteJob job;
  job.filePath = args.dataFile;
  job.portName = args.port;
  job.speedIndex = args.speedIndex;
  job.containerPath = ContainerOrDefault(args.container);
  job.verify = args.verify;
  vrx::FlashImage image{};
  const auto profile = vrx::OpenProgramProfile("VRXWriter");
  StderrBoxes boxes(args.json);
  Feedback feedback(args.json);
  job.progress = &feedback.progress();
  ModuleOutcome outcome;
  if (JsonEvents* json = feedback.json()) {
    outcome.passed = vrx::RunWrite(job, image, *json, boxes, *profile);
    json->Result(outcome.passed);
    outcome.message = json->LastMessage();
  } else {
    ConsoleLog log(*feedback.status());
    outcome.passed = vrx::RunWrite(job, image, log, boxes, *profile);
    outcome.message = log.LastMessage();
  }
  outcome.boxText = boxes.shown;
  return outcome;
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
           "profile.\nExit status: 0 programmed, 1 failed (the message that ended the Write also "
           "on stderr;\nwith --repeat: 0 when no module failed).\n"
           "Examples:\n  vrxtool program keyboard.vrx --port COM1 --speed 4 --verify\n"
           "  vrxtool program keyboard.vrx --port COM1 --repeat --log results.csv";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("DATAFILE", args_.dataFile, "Data file (.vrx)")->required();
    AddDeviceOptions(sub, args_.port, args_.speedIndex);
    AddContainerOption(sub, args_.container);
    sub.add_flag("--verify", args_.verify,
                 "Read the programmed ranges back afterwards; fail if they differ");
    AddJsonFlag(sub, args_.json);
    auto* repeat =
        sub.add_flag("--repeat", args_.repeat,
                     "Production loop: program module after module on this port until Ctrl-C");
    sub.add_option("--log", args_.resultsLog,
                   "With --repeat: append one CSV line per module (time,port,result,seconds,"
                   "message)")
        ->needs(repeat);
  }
  int Execute() override {
    if (args_.repeat)
      return ProgramRepeatedly({args_.port, args_.speedIndex, args_.resultsLog}, [this] {
        const ModuleOutcome outcome = ProgramOnce(args_);
        if (outcome.message == vrx::writer_msg::kPortOpenFailed) PrintError(vrx::PortOpenHint());
        return outcome;
      });
    StopCleanlyOnInterrupt();
    const ModuleOutcome outcome = ProgramOnce(args_);
    if (vrx::InterruptRequested()) return ReportInterrupted();
    if (!outcome.passed) throw CommandFailure(FailureText(outcome));
    return kExitOk;
  }

 private:
  ProgramArguments args_;
};

}  // namespace

std::unique_ptr<Command> MakeProgramCommand() { return std::make_unique<ProgramCommand>(); }

}  // namespace vrxtool
