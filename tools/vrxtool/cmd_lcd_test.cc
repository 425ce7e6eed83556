// vrxtool lcd-test: the editor's CGRAM Test with the characters of a data
// file.
#include <memory>
#include <string>

#include "config/config_image.h"
#include "config/data_file.h"
#include "device/lcd_test.h"
#include "editor/core/editor_message_map.h"
#include "platform/utf8_path.h"
#include "resources/message_table.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/device_failure.h"
#include "tools/vrxtool/device_options.h"

namespace vrxtool {
namespace {

class LcdTestCommand final : public Command {
 public:
  std::string Name() const override { return "lcd-test"; }
  std::string Summary() const override {
    return "Show DATAFILE's eight LCD characters on a VRX7100, as VRXEditor's Test does";
  }
  std::string Footer() const override {
    return "Exit status: 0 shown, 1 failed (the editor's message on stderr).\n"
           "Example:\n  vrxtool lcd-test keyboard.vrx --port COM1";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("DATAFILE", dataFile_, "Data file (.vrx)")->required();
    AddDeviceOptions(sub, port_, speedIndex_);
  }
  int Execute() override {
    vrx::ConfigImage config;
    vrx::PortDiagnosis cause;
    const vrx::SerialOptions session = InterruptibleSession();
    int message = vrx::EditorMessageFor(vrx::ReadDataFile(vrx::PathFromUtf8(dataFile_), config));
    if (message == 0) {
      const vrx::LcdTestResult result =
          vrx::RunLcdTest(port_, speedIndex_, config.cgram, session, &cause);
      if (result == vrx::LcdTestResult::kInterrupted) return ReportInterrupted();
      message = vrx::EditorMessageFor(result);
    }
    if (message == 0) return kExitOk;
    throw CommandFailure(DeviceFailureText(vrx::EditorMessage(message), cause,
                                           message == vrx::editor_msg::kPortOpenFailed));
  }

 private:
  std::string dataFile_;
  std::string port_;
  int speedIndex_ = 4;
};

}  // namespace

std::unique_ptr<Command> MakeLcdTestCommand() { return std::make_unique<LcdTestCommand>(); }

}  // namespace vrxtool
