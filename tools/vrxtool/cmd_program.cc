// vrxtool program: the writer's 書込み from the command line.  Standard
// output carries exactly the writer's log (LF line ends); what the writer
// shows in a message box goes to standard error.
#include <memory>
#include <string>

#include "command.h"
#include "device_options.h"
#include "feedback.h"
#include "image_source.h"
#include "production_loop.h"
#include "profile_ini.h"
#include "write_sequence.h"

namespace vrxtool {
namespace {

// The container's message boxes: stderr (and an event with --json).  The
// text is kept for the production log.
class StderrBoxes final : public vrx::MessageBoxSink {
 public:
  explicit StderrBoxes(bool json) : json_(json) {}
  void ShowMessage(std::string_view text) override {
    shown = std::string(text);
    if (json_) PrintEvent("message", {{"text", JsonString(text)}});
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
  vrx::IniProfile profile(vrx::ProfilePath("VRXWriter"));
  StderrBoxes boxes(args.json);
  Feedback feedback(args.json);
  job.progress = &feedback.progress();
  ModuleOutcome outcome;
  if (JsonEvents* json = feedback.json()) {
    outcome.passed = vrx::RunWrite(job, image, *json, boxes, profile);
    json->Result(outcome.passed);
    outcome.message = json->LastMessage();
  } else {
    ConsoleLog log(*feedback.status());
    outcome.passed = vrx::RunWrite(job, image, log, boxes, profile);
    outcome.message = log.LastMessage();
  }
  outcome.boxText = boxes.shown;
  return outcome;
}

int Program(const ProgramArguments& args) {
  if (!args.repeat) return ProgramOnce(args).passed ? kExitOk : kExitFailure;
  return ProgramRepeatedly({args.port, args.speedIndex, args.resultsLog},
                           [&args] { return ProgramOnce(args); });
}

const bool registered = RegisterCommand(90, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<ProgramArguments>();
  auto* sub = app.add_subcommand(
      "program", "Program DATAFILE into a VRX7100 exactly as VRXWriter's Write does");
  sub->add_option("DATAFILE", args->dataFile, "Data file (.vrx)")->required();
  AddDeviceOptions(*sub, args->port, args->speedIndex);
  sub->add_option("--container", args->container,
                  "Executable carrying the firmware payload (default: VRXWriter beside vrxtool)");
  sub->add_flag("--verify", args->verify,
                "Read the programmed ranges back afterwards; fail if they differ");
  AddJsonFlag(*sub, args->json);
  auto* repeat = sub->add_flag(
      "--repeat", args->repeat,
      "Production loop: program module after module on this port until Ctrl-C");
  sub->add_option("--log", args->resultsLog,
                  "With --repeat: append one CSV line per module (time,port,result,seconds,"
                  "message)")
      ->needs(repeat);
  sub->footer(
      "The log goes to stdout; on success the port and speed are stored in VRXWriter's "
      "profile.\nExit status: 0 programmed, 1 failed (with --repeat: 0 when no module "
      "failed).\n"
      "Examples:\n  vrxtool program keyboard.vrx --port COM1 --speed 4 --verify\n"
      "  vrxtool program keyboard.vrx --port COM1 --repeat --log results.csv");
  return [args] { return Program(*args); };
});

}  // namespace
}  // namespace vrxtool
