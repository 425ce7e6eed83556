// vrxtool read: the module's whole flash read back through its loader, as a
// backup before a write.
#include <memory>
#include <string>

#include "device/read_back.h"
#include "resources/message_table.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/device_failure.h"
#include "tools/vrxtool/device_options.h"
#include "tools/vrxtool/feedback.h"
#include "tools/vrxtool/image_source.h"
#include "tools/vrxtool/output_file.h"
#include "writer/writer_message_map.h"

namespace vrxtool {
namespace {

struct ReadArguments {
  std::string port;
  int speedIndex = 4;
  std::string output;
  bool json = false;
};

int Read(const ReadArguments& args) {
  // A read takes long on a slow line: find a bad output before it.
  if (const std::string problem = OutputProblem(args.output); !problem.empty())
    throw CommandFailure(problem);
  vrx::FlashImage flash{};
  vrx::SessionFailure failure = vrx::SessionFailure::kNone;
  vrx::PortDiagnosis cause;
  {
    Feedback feedback(args.json);
    JsonEvents* json = feedback.json();
    failure = vrx::ReadDevice(args.port, args.speedIndex, flash, InterruptibleSession(),
                              feedback.progress(), &cause);
    if (json && vrx::WriterMessageFor(failure) != 0) json->Failure(vrx::WriterMessageFor(failure));
    if (failure == vrx::SessionFailure::kNone) {
      try {
        WriteFlashFile(args.output, flash);
      } catch (const CommandFailure&) {
        if (json) json->Result(false);
        throw;
      }
    }
    if (json) json->Result(failure == vrx::SessionFailure::kNone);
  }
  if (failure == vrx::SessionFailure::kInterrupted) return ReportInterrupted();
  if (failure != vrx::SessionFailure::kNone)
    throw CommandFailure(DeviceFailureText(vrx::WriterMessage(vrx::WriterMessageFor(failure)),
                                           cause, failure == vrx::SessionFailure::kPortOpen));
  return kExitOk;
}

class ReadCommand final : public Command {
 public:
  std::string Name() const override { return "read"; }
  std::string Summary() const override {
    return "Read the module's whole 32 KB flash into OUT.bin";
  }
  std::string Footer() const override {
    return "The module is taken into its loader and back as a Write does; OUT.bin is\n"
           "written only when every byte was read.  Exit status: 0 read, 1 failed.\n"
           "Example:\n  vrxtool read --port COM1 backup.bin";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("OUT.bin", args_.output, "Flash image file to create or replace")->required();
    AddDeviceOptions(sub, args_.port, args_.speedIndex);
    AddJsonFlag(sub, args_.json);
  }
  int Execute() override { return Read(args_); }

 private:
  ReadArguments args_;
};

}  // namespace

std::unique_ptr<Command> MakeReadCommand() { return std::make_unique<ReadCommand>(); }

}  // namespace vrxtool
