// vrxtool program: the writer's 書込み from the command line.  Standard
// output carries exactly the writer's log (LF line ends); what the writer
// shows in a message box goes to standard error.
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "command.h"
#include "device_options.h"
#include "interrupt.h"
#include "module_path.h"
#include "profile_ini.h"
#include "write_sequence.h"

namespace vrxtool {
namespace {

// The log as UTF-8 text with each CR LF written as LF, flushed per append so
// that a terminal shows every step (and every "．") as it happens.  When
// the log goes to a file or pipe but stderr is a terminal, the line in
// progress is shown there instead, and cleared at the end.
class ConsoleLog final : public vrx::WriteLog {
 public:
  ConsoleLog() : showProgress_(!isatty(STDOUT_FILENO) && isatty(STDERR_FILENO)) {}
  ~ConsoleLog() override {
    if (pendingCr_) std::fputc('\r', stdout);
    std::fflush(stdout);
    if (showProgress_) std::fputs("\r\033[K", stderr);
  }

  void AppendLog(std::string_view text) override {
    for (char c : text) {
      if (pendingCr_ && c != '\n') std::fputc('\r', stdout);
      pendingCr_ = c == '\r';
      if (pendingCr_) continue;
      std::fputc(c, stdout);
      currentLine_ = c == '\n' ? std::string() : currentLine_ + c;
    }
    std::fflush(stdout);
    if (showProgress_ && !currentLine_.empty()) {
      std::fprintf(stderr, "\r\033[K%s", currentLine_.c_str());
      std::fflush(stderr);
    }
  }

 private:
  bool showProgress_;
  bool pendingCr_ = false;
  std::string currentLine_;
};

class StderrBoxes final : public vrx::MessageBoxSink {
 public:
  void ShowMessage(std::string_view text) override { PrintError(text); }
};

struct ProgramArguments {
  std::string dataFile;
  std::string port;
  int speedIndex = 4;
  std::string container;
};

int Program(const ProgramArguments& args) {
  vrx::WriteJob job;
  job.filePath = args.dataFile;
  job.portName = args.port;
  job.speedIndex = args.speedIndex;
  // An installed vrxtool sits beside the writer, whose payload it uses.
  job.containerPath = args.container.empty()
                          ? vrx::OwnExecutablePath().parent_path() / "VRXWriter"
                          : std::filesystem::path(args.container);
  vrx::FlashImage image{};
  vrx::IniProfile profile(vrx::ProfilePath("VRXWriter"));
  StderrBoxes boxes;
  bool written = false;
  StopCleanlyOnInterrupt();
  {
    ConsoleLog log;
    written = vrx::RunWrite(job, image, log, boxes, profile);
  }
  if (vrx::InterruptRequested()) return ReportInterrupted();
  return written ? kExitOk : kExitFailure;
}

const bool registered = RegisterCommand(90, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<ProgramArguments>();
  auto* sub = app.add_subcommand(
      "program", "Program DATAFILE into a VRX7100 exactly as VRXWriter's Write does");
  sub->add_option("DATAFILE", args->dataFile, "Data file (.vrx)")->required();
  AddDeviceOptions(*sub, args->port, args->speedIndex);
  sub->add_option("--container", args->container,
                  "Executable carrying the firmware payload (default: VRXWriter beside vrxtool)");
  sub->footer(
      "The log goes to stdout; on success the port and speed are stored in VRXWriter's "
      "profile.\nExit status: 0 programmed, 1 failed.\n"
      "Example:\n  vrxtool program keyboard.vrx --port COM1 --speed 4");
  return [args] { return Program(*args); };
});

}  // namespace
}  // namespace vrxtool
