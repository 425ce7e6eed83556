// vrxtool lcd-test: the editor's CGRAM Test with the characters of a data
// file.
#include <memory>
#include <string>

#include "command.h"
#include "device_options.h"
#include "config_image.h"
#include "data_file.h"
#include "interrupt.h"
#include "lcd_test.h"
#include "message_table.h"

namespace vrxtool {
namespace {

struct LcdTestArguments {
  std::string dataFile;
  std::string port;
  int speedIndex = 4;
};

int LcdTest(const LcdTestArguments& args) {
  vrx::ConfigImage config;
  std::string cause;
  StopCleanlyOnInterrupt();
  int message = vrx::ReadDataFile(args.dataFile, config);
  if (message == 0) message = vrx::RunLcdTest(args.port, args.speedIndex, config.cgram, {}, &cause);
  if (vrx::InterruptRequested()) return ReportInterrupted();
  if (message == 0) return kExitOk;
  PrintError(vrx::EditorMessage(message));
  if (!cause.empty()) PrintError(cause);
  return kExitFailure;
}

const bool registered = RegisterCommand(91, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<LcdTestArguments>();
  auto* sub = app.add_subcommand(
      "lcd-test", "Show DATAFILE's eight LCD characters on a VRX7100, as VRXEditor's Test does");
  sub->add_option("DATAFILE", args->dataFile, "Data file (.vrx)")->required();
  AddDeviceOptions(*sub, args->port, args->speedIndex);
  sub->footer("Exit status: 0 shown, 1 failed (the editor's message on stderr).\n"
              "Example:\n  vrxtool lcd-test keyboard.vrx --port COM1");
  return [args] { return LcdTest(*args); };
});

}  // namespace
}  // namespace vrxtool
