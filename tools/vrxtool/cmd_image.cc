// vrxtool image: the flash image exactly as the writer builds it when 書込み
// is pressed, written to a file instead of the module.
#include <memory>
#include <string>

#include "command.h"
#include "image_source.h"

namespace vrxtool {
namespace {

struct ImageArguments {
  std::string dataFile;
  std::string output;
  std::string container;
};

int BuildImage(const ImageArguments& args) {
  vrx::FlashImage image;
  if (const std::string failure = BuildFlashImage(args.dataFile, args.container, image);
      !failure.empty()) {
    PrintError(failure);
    return kExitFailure;
  }
  return WriteFlashFile(args.output, image) ? kExitOk : kExitFailure;
}

const bool registered = RegisterCommand(70, [](CLI::App& app) -> std::function<int()> {
  auto args = std::make_shared<ImageArguments>();
  auto* sub = app.add_subcommand(
      "image", "Build the 32768-byte flash image the writer would program for DATAFILE");
  sub->add_option("DATAFILE", args->dataFile, "Data file (.vrx)")->required();
  sub->add_option("OUT.bin", args->output, "Image file to create or replace")->required();
  sub->add_option("--container", args->container,
                  "Executable carrying the firmware payload (default: VRXWriter in the same "
                  "folder as vrxtool)");
  sub->footer(
      "The image is the firmware deciphered from the container, with the data file's\n"
      "configuration laid over 0x5000..0x70FF; OUT.bin is written only on success.\n"
      "Example:\n  vrxtool image keyboard.vrx flash.bin --container /usr/local/bin/VRXWriter");
  return [args] { return BuildImage(*args); };
});

}  // namespace
}  // namespace vrxtool
