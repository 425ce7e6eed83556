// vrxtool verify: the module's flash compared with the image a Write of
// the data file would program, over the ranges a Write programs.
#include <memory>
#include <string>

#include "device/read_back.h"
#include "resources/message_table.h"
#include "resources/readback_texts.h"
#include "tools/vrxtool/command.h"
#include "tools/vrxtool/device_failure.h"
#include "tools/vrxtool/device_options.h"
#include "tools/vrxtool/feedback.h"
#include "tools/vrxtool/image_source.h"
#include "writer/writer_message_map.h"

namespace vrxtool {
namespace {

struct VerifyArguments {
  std::string dataFile;
  std::string port;
  int speedIndex = 4;
  std::string container;
  bool json = false;
};

int Verify(const VerifyArguments& args) {
  const vrx::FlashImage image = BuildFlashImage(args.dataFile, args.container);
  vrx::VerifyResult result;
  {
    Feedback feedback(args.json);
    result = vrx::VerifyDevice(args.port, args.speedIndex, image, InterruptibleSession(),
                               feedback.progress());
    if (JsonEvents* json = feedback.json()) {
      if (result.failure != vrx::SessionFailure::kNone) {
        if (const int message = vrx::WriterMessageFor(result.failure); message != 0)
          json->Failure(message);
        json->Result(false);
      } else {
        for (const vrx::FlashDifference& d : result.comparison.first)
          PrintEvent("difference",
                     {{"address", d.address}, {"module", d.module}, {"image", d.image}});
        json->Result(result.comparison.differing == 0,
                     {{"differing", result.comparison.differing}});
      }
    }
  }
  if (result.failure == vrx::SessionFailure::kInterrupted) return ReportInterrupted();
  if (result.failure != vrx::SessionFailure::kNone)
    throw CommandFailure(
        DeviceFailureText(vrx::WriterMessage(vrx::WriterMessageFor(result.failure)), result.cause,
                          result.failure == vrx::SessionFailure::kPortOpen));
  const vrx::FlashComparison& comparison = result.comparison;
  if (!args.json) {
    for (const vrx::FlashDifference& d : comparison.first)
      PrintLine(vrx::readback_text::Difference(d.address, d.module, d.image));
  }
  if (comparison.differing != 0)
    throw CommandFailure(vrx::readback_text::Mismatch(comparison.differing));
  if (!args.json) PrintLine(vrx::readback_text::Verified());
  return kExitOk;
}

class VerifyCommand final : public Command {
 public:
  std::string Name() const override { return "verify"; }
  std::string Summary() const override {
    return "Compare the module's flash with the image a Write of DATAFILE programs";
  }
  std::string Footer() const override {
    return "Compares 0x0000-0x03FF and 0x1000-0x7FFF (the ranges a Write programs) and\n"
           "lists the first 16 differing addresses with the count of differing bytes.\n"
           "Exit status: 0 equal, 1 different or failed.\n"
           "Example:\n  vrxtool verify keyboard.vrx --port COM1";
  }
  void AddOptions(CLI::App& sub) override {
    sub.add_option("DATAFILE", args_.dataFile, "Data file (.vrx)")->required();
    AddDeviceOptions(sub, args_.port, args_.speedIndex);
    AddContainerOption(sub, args_.container);
    AddJsonFlag(sub, args_.json);
  }
  int Execute() override { return Verify(args_); }

 private:
  VerifyArguments args_;
};

}  // namespace

std::unique_ptr<Command> MakeVerifyCommand() { return std::make_unique<VerifyCommand>(); }

}  // namespace vrxtool
