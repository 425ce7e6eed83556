// vrxtool read: the module's whole flash read back through its loader, as a
// backup before a write.
#include <memory>
#include <string>

#include "command.h"
#include "device_options.h"
#include "feedback.h"
#include "image_source.h"
#include "message_table.h"
#include "read_back.h"

namespace vrxtool {
namespace {

struct ReadArguments {
  std::string port;
  int speedIndex = 4;
  std::string output;
  bool json = false;
};

int Read(const ReadArguments& args) {
  vrx::FlashImage flash{};
  int failure = 0;
  bool saved = false;
  {
    Feedback feedback(args.json);
    failure = vrx::ReadDevice(args.port, args.speedIndex, flash, {}, feedback.progress());
    saved = failure == 0 && WriteFlashFile(args.output, flash);
    if (JsonEvents* json = feedback.json()) {
      if (failure != 0) json->Failure(failure);
      json->Result(saved);
    }
  }
  if (failure != 0) PrintError(vrx::WriterMessage(failure));
  return saved ? kExitOk : kExitFailure;
}

const bool registered = RegisterCommand(92, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<ReadArguments>();
  auto* sub = app.add_subcommand("read", "Read the module's whole 32 KB flash into OUT.bin");
  sub->add_option("OUT.bin", args->output, "Flash image file to create or replace")->required();
  AddDeviceOptions(*sub, args->port, args->speedIndex);
  AddJsonFlag(*sub, args->json);
  sub->footer(
      "The module is taken into its loader and back as a Write does; OUT.bin is\n"
      "written only when every byte was read.  Exit status: 0 read, 1 failed.\n"
      "Example:\n  vrxtool read --port COM1 backup.bin");
  return [args] { return Read(*args); };
});

}  // namespace
}  // namespace vrxtool
